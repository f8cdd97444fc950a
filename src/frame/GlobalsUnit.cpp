#include "frame/GlobalsUnit.h"

#include "frame/ParentUnit.h"

int currentEmployeeId = 0;
QString currentUserName;
QString currentPassword;
QString incomingTelephone;
bool existModem = false;
int modemPort = 0;
QString modemCommand;
QString appPath;

TmainForm* mainForm = nullptr;
QPointer<TparentForm> subForms[functionCount + 1];
