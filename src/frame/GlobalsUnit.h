#pragma once
#include <QPointer>
#include <QString>

class TmainForm;
class TparentForm;

// Who is logged in, and the few process-wide settings. All start as 0, empty or false.
extern int currentEmployeeId;  // 0: nobody logged in; never set back to 0
extern QString currentUserName;
extern QString currentPassword;
extern QString incomingTelephone;  // last caller number; the reservation dialog clears it
extern bool existModem;
extern int modemPort;
extern QString modemCommand;
extern QString appPath;  // the program's directory with its trailing separator; config.ini lives there

// The main window, and its open function window per function id (1 to functionCount).
extern TmainForm* mainForm;
constexpr int functionCount = 11;
// A QPointer so that a window destroyed by other means never leaves a dangling entry.
extern QPointer<TparentForm> subForms[functionCount + 1];
