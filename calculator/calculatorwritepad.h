#pragma once

#include "pad/writepad.h"
#include "skin/svguibutton.h"

#include <QPointer>

class CalcRecognizer;
class CalculatorUpdater;

// The writing pad of calculator mode: its recognizer reads the whole expression in two
// dimensions, its controller typesets, solves and lays it out; it has a clear button.
class CalculatorWritepad : public Writepad
{
    Q_OBJECT
public:
    static constexpr int BaseMinimumWidth = 400;

    CalculatorWritepad(const BehaviourSettings &behaviour, const ItemStyle &style,
                       QAction *miniKeyboardAction, QWidget *parent = nullptr);
    ~CalculatorWritepad() override;

    void createPadButtons(QLayout *bar, QWidget *panel) override;

    CalculatorUpdater *calculatorUpdater() const;
    CalcRecognizer *calcRecognizer() const { return m_calcRecognizer; }
    SvgUIButton *clearButton() const { return m_clearButton; }

signals:
    // The decimal separator of the checked configuration, for the text delivery.
    void decimalSeparatorChanged(const QString &separator);

public slots:
    void setConfig() override;
    void bindRecognizer(bool ok) override;
    void stopRecognitionEvent() override;
    void enableUndoButtonsEvent(UndoType type, bool enabled);
    void clearButtonEvent();

protected:
    void initializeSpecificConnections() override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    CalcRecognizer *m_calcRecognizer = nullptr;
    bool m_bound = false;
    // Readings of a recognizer replaced meanwhile carry an older number.
    int m_generation = 0;
    // The button lives in the panel's row, which may delete it first.
    QPointer<SvgUIButton> m_clearButton;
};
