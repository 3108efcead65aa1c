#pragma once
// The settings page's own groups: the passwords of the management roles and the
// modification password, and the four option lists of the bill and voucher editors.

#include <QObject>
#include <QPointer>
#include <QString>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tev {

class SettingsContent : public QObject {
    Q_OBJECT
public:
    // Builds the groups on the main window's settings page (TabSheet5).
    explicit SettingsContent(QWidget* sheet);

    // Passwords.
    QGroupBox* GroupBox2; // 用户权限管理
    QComboBox* ComboBox1; // the management role
    QLineEdit* Edit1;     // its password, in clear
    QPushButton* Button10;
    QGroupBox* GroupBox3; // 资料修改密码
    QLineEdit* Edit2;
    QPushButton* Button11;

    // Option lists, types 1 to 4.
    QGroupBox* GroupBox4;
    QListWidget* ListBox1; // 业务种类
    QListWidget* ListBox2; // 款项类别
    QListWidget* ListBox3; // 款项凭证
    QListWidget* ListBox4; // 业务进度
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    QPushButton* Button4;
    QPushButton* Button5;
    QPushButton* Button6;
    QPushButton* Button7;
    QPushButton* Button8;
    QPushButton* Button9;
    QPushButton* Button12;
    QPushButton* Button13;
    QPushButton* Button14;

    // Fills Edit1 (the chosen role) and Edit2 from the Power rows; a missing row leaves its field as it is.
    void LoadPasswords();
    void Button10Click();
    void Button11Click();

    void LoadReasonList();
    void LoadMoneyTypeList();
    void LoadTokenList();
    void LoadStateList();
    void AddOption(int type);
    void ChangeOption(int type);
    void DeleteOption(int type);

    // The list box of an option type (1 to 4).
    QListWidget* List(int type) const;
    // Where the last check sent the focus.
    QWidget* FocusedControl() const { return m_focused; }

private:
    struct OptionMessages;
    static const OptionMessages& Texts(int type);
    void LoadList(int type);
    // The prompt "参数设置" with plain text; false unless confirmed. The answer goes to text.
    bool AskOption(const QString& prompt, QString& text);
    // Whether an option of this text exists in the type's list; false with a message on failure.
    bool FindOption(int type, const QString& text, bool& found, qint64* key = nullptr);
    bool SelectedText(int type, const QString& noSelection, QString& text);

    QPointer<QWidget> m_focused;
};

} // namespace tev
