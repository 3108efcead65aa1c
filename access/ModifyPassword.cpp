#include "access/ModifyPassword.h"

#include "access/AskForm.h"
#include "domain/Access.h"
#include "ui/Forms.h"
#include "ui/Globals.h"
#include "ui/Messages.h"
#include "ui/Ui.h"

using namespace Qt::StringLiterals;

namespace tev {

bool AskModifyPassword(const QString& caption, const QString& prompt, const QString& initialText) {
    const Result<std::optional<QString>> key = ModifyPasswordKey(Db());
    if (!key) {
        ShowOutcome(nullptr, key);
        return false;
    }
    if (key.value && key.value->isEmpty()) return true;

    FormAsk->AskCaption = caption;
    FormAsk->AskPrompt = prompt;
    FormAsk->AskValue = initialText;
    FormAsk->SetPasswordChar(u'#');
    const int result = TheUi().ShowModal(FormAsk);
    // The next, unrelated use of the dialog shows plain text.
    FormAsk->SetPasswordChar(QChar());
    if (result != QDialog::Accepted) return false;

    // The password is read again: the first read only decided whether to ask.
    const Result<std::optional<QString>> now = ModifyPasswordKey(Db());
    if (!now) {
        ShowOutcome(nullptr, now);
        return false;
    }
    if (!now.value) {
        TheUi().Message(nullptr, u"数据库出错，资料修改密码被删除"_s);
        return false;
    }
    if (FormAsk->AskValue == *now.value) return true;
    TheUi().Message(nullptr, u"密码错误，请重新操作"_s);
    return false;
}

} // namespace tev
