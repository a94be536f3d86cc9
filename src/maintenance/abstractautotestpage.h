#pragma once

#include <QStringList>
#include <QWidget>

class CreditPacket;
class QLabel;
class QVBoxLayout;

// One page of the guided hardware test: a heading, what the operator is to
// check on the monitor, and the rule that turns "Successivo" into a result.
// The base page passes when the operator goes on, or, when it names devices
// (board status bits), only while one of them is present; it warns on
// screen that going on will count as failed while none is.
class AbstractAutotestPage : public QWidget
{
    Q_OBJECT
public:
    enum Result { Incomplete = 0, Passed = 1, Skipped = 2, Failed = 3 };

    // Texts are untranslated sources of the autotest's translation context.
    struct Texts
    {
        const char* title = nullptr;
        const char* heading = nullptr;
        const char* text = nullptr;
        const char* warning = nullptr; // shown while no required device is present
        const char* absent = nullptr; // summary line when the test failed for it
        bool informative = false;
    };

    AbstractAutotestPage(const Texts& texts, int requiredDevices, QWidget* parent = nullptr);

    // Translated result names, and the Italian ones the receipt prints.
    static QString resultText(Result result);
    static QString receiptResultText(Result result);
    // The autotest's translation of one of its source texts.
    static QString translated(const char* source);

    // An informative page gives no result and has no line in the summary.
    bool isInformative() const { return m_texts.informative; }
    // The result of "Successivo" with the board status now.
    virtual Result evaluate(int deviceStatus) const;
    // Summary lines of the receipt (Italian), after the result.
    virtual QStringList receiptDetails() const;

    // The board's credit, once a second; current: the page is on screen.
    virtual void feedCredit(const CreditPacket& credit, bool current);
    // The board's credit was cleared.
    virtual void onCreditCleared();
    // A dispenser (0..17) was tested or emptied successfully on the monitor.
    virtual void onDispenserTested(int motor);
    // Back to the start of a new autotest.
    virtual void restart();

    void setDeviceStatus(int status);
    bool devicePresent() const;

    QString title() const { return translated(m_texts.title); }
    QString receiptTitle() const { return QString::fromUtf8(m_texts.title); }
    Result result() const { return m_result; }
    void setResult(Result result) { m_result = result; }

protected:
    void changeEvent(QEvent* event) override;
    // Where pages put their own widgets, between the text and the warning.
    QVBoxLayout* body() const { return m_body; }
    virtual void retranslate();

private:
    Texts m_texts;
    int m_requiredDevices;
    int m_deviceStatus = 0;
    Result m_result = Incomplete;
    QLabel* m_heading;
    QLabel* m_text;
    QLabel* m_warning;
    QVBoxLayout* m_body;
};
