#include "tests/support/ScriptedUi.h"

#include "ui/Form.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace tevtest {

namespace {
const char* KindName(Shown::Kind k) {
    switch (k) {
    case Shown::Message:
        return "message";
    case Shown::YesNo:
        return "Yes/No question";
    case Shown::Modal:
        return "modal window";
    case Shown::SaveFile:
        return "save-file dialog";
    case Shown::OpenFile:
        return "open-file dialog";
    case Shown::OpenUrl:
        return "address to open";
    }
    return "?";
}
} // namespace

ScriptedUi& ScriptedUi::ExpectMessage(const QString& text) {
    m_expected.push_back(Make(Shown::Message, text));
    return *this;
}

ScriptedUi& ScriptedUi::ExpectMessage(const QString& text, const QString& caption, tev::MsgIcon icon) {
    Expected e = Make(Shown::Message, text);
    e.checkCaption = true;
    e.caption = caption;
    e.icon = icon;
    m_expected.push_back(e);
    return *this;
}

ScriptedUi& ScriptedUi::ExpectYesNo(const QString& text, const QString& caption, bool answer) {
    Expected e = Make(Shown::YesNo, text);
    e.checkCaption = true;
    e.caption = caption;
    e.answer = answer;
    m_expected.push_back(e);
    return *this;
}

ScriptedUi& ScriptedUi::ExpectModal(const QString& formName, std::function<void(QDialog*)> act) {
    Expected e = Make(Shown::Modal, formName);
    e.act = std::move(act);
    m_expected.push_back(e);
    return *this;
}

ScriptedUi& ScriptedUi::ExpectSaveFile(const QString& answer) {
    Expected e = Make(Shown::SaveFile, QString());
    e.file = answer;
    m_expected.push_back(e);
    return *this;
}

ScriptedUi& ScriptedUi::ExpectOpenFile(const QString& answer) {
    Expected e = Make(Shown::OpenFile, QString());
    e.file = answer;
    m_expected.push_back(e);
    return *this;
}

ScriptedUi& ScriptedUi::ExpectOpenUrl(bool answer) {
    Expected e = Make(Shown::OpenUrl, QString());
    e.answer = answer;
    m_expected.push_back(e);
    return *this;
}

std::vector<QString> ScriptedUi::Messages() const {
    std::vector<QString> out;
    for (const Shown& s : m_history)
        if (s.kind == Shown::Message) out.push_back(s.text);
    return out;
}

void ScriptedUi::VerifyAllUsed() {
    for (const Expected& e : m_expected)
        ADD_FAILURE() << "expected " << KindName(e.kind) << " never came: " << e.text.toStdString();
    m_expected.clear();
}

bool ScriptedUi::Take(Shown::Kind kind, const QString& what, Expected& out) {
    if (m_expected.empty()) {
        ADD_FAILURE() << "unexpected " << KindName(kind) << ": " << what.toStdString();
        return false;
    }
    out = m_expected.front();
    m_expected.pop_front();
    if (out.kind != kind) {
        ADD_FAILURE() << "expected " << KindName(out.kind) << " \"" << out.text.toStdString() << "\" but got "
                      << KindName(kind) << ": " << what.toStdString();
        return false;
    }
    return true;
}

void ScriptedUi::Message(QWidget*, const QString& text, const QString& caption, tev::MsgIcon icon) {
    m_history.push_back({Shown::Message, text, caption, icon, {}});
    Expected e;
    if (!Take(Shown::Message, text, e)) return;
    EXPECT_EQ(e.text.toStdString(), text.toStdString()) << "message text";
    if (e.checkCaption) {
        EXPECT_EQ(e.caption.toStdString(), caption.toStdString())
            << "caption of message " << text.toStdString();
        EXPECT_EQ(int(e.icon), int(icon)) << "icon of message " << text.toStdString();
    }
}

bool ScriptedUi::AskYesNo(QWidget*, const QString& text, const QString& caption) {
    m_history.push_back({Shown::YesNo, text, caption, tev::MsgIcon::None, {}});
    Expected e;
    if (!Take(Shown::YesNo, text, e)) return false;
    EXPECT_EQ(e.text.toStdString(), text.toStdString()) << "question text";
    EXPECT_EQ(e.caption.toStdString(), caption.toStdString()) << "question caption";
    return e.answer;
}

int ScriptedUi::ShowModal(QDialog* form) {
    m_history.push_back({Shown::Modal, form->objectName(), {}, tev::MsgIcon::None, {}});
    Expected e;
    const bool expected = Take(Shown::Modal, form->objectName(), e);
    if (expected) {
        EXPECT_EQ(e.text.toStdString(), form->objectName().toStdString()) << "modal window";
    }
    form->setResult(QDialog::Rejected);
    if (auto* f = dynamic_cast<tev::TForm*>(form)) {
        if (!f->RunFormShow()) return f->result(); // closed itself while setting up
    }
    if (expected && e.act && e.text == form->objectName()) {
        try {
            e.act(form);
        } catch (const std::exception& ex) {
            ADD_FAILURE() << ex.what();
        }
    }
    return form->result();
}

QString ScriptedUi::ChooseSaveFile(QWidget*, const QString& caption, const QString& startPath,
                                   const QString&) {
    m_history.push_back({Shown::SaveFile, caption, {}, tev::MsgIcon::None, startPath});
    Expected e;
    return Take(Shown::SaveFile, caption, e) ? e.file : QString();
}

QString ScriptedUi::ChooseOpenFile(QWidget*, const QString& caption, const QString& startPath,
                                   const QString&) {
    m_history.push_back({Shown::OpenFile, caption, {}, tev::MsgIcon::None, startPath});
    Expected e;
    return Take(Shown::OpenFile, caption, e) ? e.file : QString();
}

bool ScriptedUi::OpenUrl(const QUrl& url) {
    m_history.push_back({Shown::OpenUrl, url.toString(), {}, tev::MsgIcon::None, {}});
    lastUrl = url;
    Expected e;
    return Take(Shown::OpenUrl, url.toString(), e) ? e.answer : false;
}

} // namespace tevtest
