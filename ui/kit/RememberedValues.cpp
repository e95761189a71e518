#include "ui/kit/RememberedValues.h"

#include "platform/Errors.h"
#include "platform/IntegerText.h"
#include "util/Utilities.h"

#include <QtGlobal>

QString RememberedText(const char* AFormKey, const char* AValueName) {
    try {
        return QString::fromStdString(TUtilities::GetFormKey(AFormKey, AValueName));
    } catch (const Exception& error) {
        qWarning("Remembered value %s of %s cannot be read: %s", AValueName, AFormKey,
                 error.what());
        return {};
    }
}

int32_t RememberedInteger(const char* AFormKey, const char* AValueName, int32_t ADefault) {
    return StrToIntDef(RememberedText(AFormKey, AValueName).toStdString(), ADefault);
}

void Remember(const char* AFormKey, const char* AValueName, const QString& AValue) {
    try {
        if (!TUtilities::SetFormKey(AFormKey, AValueName, AValue.toStdString()))
            qWarning("Value %s of %s cannot be remembered: the store cannot be opened", AValueName,
                     AFormKey);
    } catch (const Exception& error) {
        qWarning("Value %s of %s cannot be remembered: %s", AValueName, AFormKey, error.what());
    }
}
