#pragma once

#include "model/recognitionresult.h"
#include "pad/behavioursettings.h"
#include "pad/itemstyle.h"
#include "pad/undotype.h"
#include "recognition/inputmode.h"
#include "recognition/recognizerconfig.h"

#include <QWidget>

class QSettings;

// Busy (0), ready (1) or failed (2) recognizer configuration of a widget.
using InputStatus = qint32;

// Base of the input widgets the panel hosts.
class InputWidget : public QWidget
{
    Q_OBJECT
public:
    InputWidget(InputMode mode, const BehaviourSettings &behaviour, const ItemStyle &style,
                QWidget *parent = nullptr);

    InputMode inputMode() const { return m_mode; }
    LanguageEntry language() const { return m_language; }
    BehaviourSettings behaviour() const { return m_behaviour; }
    ItemStyle itemStyle() const { return m_style; }

    virtual void initialize();
    virtual void setLanguage(const LanguageEntry &language);
    virtual void createPadButtons(QLayout *bar, QWidget *panel);
    // The object that emits exportModel(RecognitionResult) for this widget.
    virtual QObject *modelObject() = 0;
    virtual void loadSettings(QSettings &settings);
    virtual void saveSettings(QSettings &settings);
    using QWidget::setStyle;
    virtual void setStyle(const ItemStyle &style);
    virtual void setBehaviour(const BehaviourSettings &behaviour);

    QSize sizeHint() const override;

signals:
    void configStatus(InputStatus status);
    void undo(UndoType type);
    void exportModel(const RecognitionResult &model);

public slots:
    void contextMenuEvent(QContextMenuEvent *event) override;
    virtual void importModelEvent(const RecognitionResult &model);
    virtual void screenChanged();

private:
    const InputMode m_mode;
    LanguageEntry m_language;
    BehaviourSettings m_behaviour;
    ItemStyle m_style;
};
