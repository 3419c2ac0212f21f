#ifndef EDITASSIGNDIALOG_H
#define EDITASSIGNDIALOG_H

#include <QDialog>
#include <QList>

#include <optional>

class QComboBox;
class QGroupBox;
class QLineEdit;
class Member;

// Edit → Assign to Selection…: values for every selected member (type, IOUT)
// and node (NF1 to NF3, IOUT, weights, loads). Every field starts at
// "unchanged", which keeps each item's own value.
class editAssignDialog : public QDialog
{
    Q_OBJECT

public:
    explicit editAssignDialog(QWidget *parent = nullptr);

    // The member-type choices, numbered from 1.
    void setMTypeList(const QList<Member *> &list);
    // How many members and nodes are selected; a group shows only when it has items.
    void setCounts(int members, int nodes);
    // Every field back to "unchanged".
    void clearFields();

    // -1 for "unchanged".
    int getMType() const;   // member type number, from 1
    int getMemberIout() const;
    int getNf1() const;
    int getNf2() const;
    int getNf3() const;
    int getNodeIout() const;
    // Empty for "unchanged"; set by OK, always a finite number.
    std::optional<double> getWx() const { return values[0]; }
    std::optional<double> getWy() const { return values[1]; }
    std::optional<double> getWd() const { return values[2]; }
    std::optional<double> getFx() const { return values[3]; }
    std::optional<double> getFy() const { return values[4]; }
    std::optional<double> getFm() const { return values[5]; }

    // Text typed as a number: C-locale decimal, finite.
    static std::optional<double> parseNumber(const QString &text, bool *ok);

public slots:
    void on_okBtn_clicked();
    void on_cancelBtn_clicked();

private:
    static int choice(const QComboBox *combo);

    QGroupBox *membersBox = nullptr;
    QGroupBox *nodesBox = nullptr;
    QComboBox *mTypeComboBox = nullptr;
    QComboBox *memberIoutComboBox = nullptr;
    QComboBox *nf1ComboBox = nullptr;
    QComboBox *nf2ComboBox = nullptr;
    QComboBox *nf3ComboBox = nullptr;
    QComboBox *nodeIoutComboBox = nullptr;
    QLineEdit *edits[6] = {};   // WX WY WD FX FY FM
    std::optional<double> values[6];
};

#endif // EDITASSIGNDIALOG_H
