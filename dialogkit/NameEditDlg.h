#pragma once
#include <QString>

#include "dialogkit/SekisanDialog.h"
#include "platform/Constants.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;

// Asks for a name; by target also a unit and price kind (a trade of the unit-price master) or a
// material kind and price-book code (an article of the material-price master). F5 reveals the
// code, "ユーザー作成" and price-book fields. Checks nothing: callers check names and codes.
class CNameEditDlg : public CSekisanDialog {
    Q_OBJECT
public:
    enum Action { New = 0, Rename = 1, Copy = 2, Add = 3, Insert = 4 };
    enum Target { PlainName = 0, Trade = 1, Article = 2 };

    explicit CNameEditDlg(QWidget* parent = nullptr);

    void SetAction(int action) { m_action = action; }
    void SetTarget(int target) { m_target = target; }
    void SetName(const QString& name) { m_name = name; }
    QString GetName() const { return m_name; }
    void SetCode(int code) { m_code = code; }
    int GetCode() const { return m_code; }
    void SetUnit(const QString& unit) { m_unit = unit; }
    QString GetUnit() const { return m_unit; }
    void SetTankaKind(int kind) { m_tankaKind = kind; }
    int GetTankaKind() const { return m_tankaKind; }
    void SetZairyoKind(int kind) { m_zairyoKind = kind; }
    int GetZairyoKind() const { return m_zairyoKind; }
    void SetKensetsuBukkaCode(const QString& code) { m_kensetsuBukkaCode = code; }
    QString GetKensetsuBukkaCode() const { return m_kensetsuBukkaCode; }
    void SetKanren(int kanren) { m_kanren = kanren; }
    int GetKanren() const { return m_kanren; }
    void SetYobi(const QString& yobi) { m_yobi = yobi; }
    QString GetYobi() const { return m_yobi; }
    void SetUserCreated(int userCreated) { m_userCreated = userCreated; }
    int GetUserCreated() const { return m_userCreated; }

    void OnInitDialog() override;
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RevealMaintenanceFields();
    void PushMembers();

    CZo_Edit* m_nameEdit;
    CZo_Edit* m_unitEdit;
    CZo_Edit* m_codeEdit;
    CZo_Edit* m_bukkaEdit;
    CZo_Edit* m_kanrenEdit;
    CZo_Edit* m_yobiEdit;
    QLabel* m_nameLabel;
    QLabel* m_unitLabel;
    QLabel* m_codeLabel;
    QLabel* m_bukkaLabel;
    QLabel* m_kanrenLabel;
    QLabel* m_yobiLabel;
    QGroupBox* m_tankaGroup;
    QGroupBox* m_zairyoGroup;
    QButtonGroup* m_tankaButtons;
    QButtonGroup* m_zairyoButtons;
    QCheckBox* m_userCheck;

    int m_tankaKind = -1;
    int m_userCreated = 0;
    int m_zairyoKind = -1;
    QString m_name;
    int m_action = Rename;
    int m_target = PlainName;
    QString m_unit;
    int m_code = kUnset;
    QString m_kensetsuBukkaCode;
    int m_kanren = kUnset;
    QString m_yobi;
};
