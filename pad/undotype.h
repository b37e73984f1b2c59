#pragma once

#include <QMetaType>

// What an undo request of an input widget or the panel asks for.
enum UndoType { Undo = 0, Redo = 1, Clear = 2 };

Q_DECLARE_METATYPE(UndoType)
