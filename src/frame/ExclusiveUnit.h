#pragma once
#include <QDialog>
#include <functional>

// Base of the modal dialogs. The caller creates a dialog right before use, prepares
// it and shows it once through showExclusive.
class TexclusiveForm : public QDialog {
    Q_OBJECT
public:
    explicit TexclusiveForm(QWidget* parent = nullptr);

    // Hides the dialog, then shows it modally; returns the modal result
    // (QDialog::Accepted or QDialog::Rejected).
    int showExclusive();

    // Test hook: with a driver installed, showExclusive does not run a modal loop.
    // It shows the dialog (modal, not blocking), hands it to the driver, which types
    // and clicks as a person would (answering any message boxes through the scripted
    // answerer), and returns the result the dialog was closed with. A dialog the
    // driver leaves open is closed as rejected, bypassing any refusal to close, so a
    // test can never hang on a dialog. Install an empty function to restore the loop.
    using Driver = std::function<void(TexclusiveForm*)>;
    static void setDialogDriver(Driver driver);
    static bool hasDialogDriver();

    // A dialog of fixed size is shown without a maximise button.
    void setVisible(bool visible) override;

private:
    static Driver driver;
};
