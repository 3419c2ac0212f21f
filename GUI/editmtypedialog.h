#ifndef EDITMTYPEDIALOG_H
#define EDITMTYPEDIALOG_H

#include <QDialog>
#include <QList>

#include <functional>
#include <memory>

#include "codenames.h"
#include "mtypestate.h"

class DamperPage;
class FramePage;
class HysteresisPanel;
class MultiSpringPage;
class QScrollArea;
class ReinforcedPage;
class SpringPage;
class WallPage;
class Member;

namespace Ui {
class editMTypeDialog;
}

// Creates, copies, deletes and edits the member types ("M-TYPE") of the model.
// The dialog owns the Member records; other code reads them through
// getMembersTypes() and is told about changes by updateMTypes() and deleteMType().
class editMTypeDialog : public QDialog
{
    Q_OBJECT

public:
    explicit editMTypeDialog(QWidget *parent = nullptr);
    ~editMTypeDialog() override;

    // The records themselves are shared, not copied; the dialog keeps ownership.
    QList<Member *> getMembersTypes() const;
    // Material specific damping fields shown and stored while true.
    void setShow11d(bool show);
    bool getShow11d() const { return state.show11d; }
    // Appends records made elsewhere (project reader); the dialog takes ownership.
    void setMTypes(const QList<Member *> &types);
    // Appends l numbered entries to the member type list combo.
    void addItems(int l);
    // The model's types again (the dialog takes ownership), showing entry
    // `select`. When that entry holds the values the shown type was shown with,
    // the form keeps what was typed into it.
    void reloadMTypes(const QList<Member *> &types, int select);
    // The place of the type shown, or -1.
    int selectedMType() const;
    // Asked before Delete removes type `id` (from 1); false keeps it. None: never asked.
    void setDeleteCheck(const std::function<bool(int id)> &check) { deleteCheck = check; }
    void newMType(int id, int type);

    // Closing with unstored edits asks first, and may stay open.
    void done(int result) override;

signals:
    void updateMTypes();
    void deleteMType(int id);

protected:
    void changeEvent(QEvent *event) override;

private slots:
    // Frame of the dialog.
    void on_addBtn_clicked();
    void on_copyBtn_clicked();
    void on_deleteBtn_clicked();
    void on_mTypeComboBox_currentIndexChanged(int index);
    void on_okBtn_clicked();
    void on_cancelBtn_clicked();

    // FRAME page.
    void on_itypeCBox_currentIndexChanged(int index);
    void on_ihystCBox_currentIndexChanged(int index);
    void on_icondCBox_currentIndexChanged(int index);
    void on_ilosCBox_currentIndexChanged(int index);
    void on_igaCBox_currentIndexChanged(int index);
    void on_gIEndcomboBox_currentIndexChanged(int index);
    void on_iendComboBox_currentIndexChanged(int index);
    void on_comboBox_2_currentIndexChanged(int index);
    void on_iendComboBox_2_currentIndexChanged(int index);

    // Hysteresis rule groups.
    void on_ibcklCBox_currentIndexChanged(int index);
    void on_ihyst54CBox_currentIndexChanged(int index);
    void on_ihyst54OkBtn_clicked();
    void on_ihyst54CancelBtn_clicked();
    void on_ihyst33CBox_currentIndexChanged(int index);
    void on_ihyst33OkBtn_clicked();
    void on_ihyst33CancelBtn_clicked();

    // SPRING page.
    void on_itypeCBox_2_currentIndexChanged(int index);
    void on_ihystCBox_2_currentIndexChanged(int index);
    void on_ilosCBox_2_currentIndexChanged(int index);

    // WALL page.
    void on_nsectCBox_currentIndexChanged(int index);
    void on_nipCBox_currentIndexChanged(int index);
    void on_icondCBox_2_currentIndexChanged(int index);
    void on_ihystCBox_3_currentIndexChanged(int index);
    void on_subAreaCBox_currentIndexChanged(int index);
    void on_saveWallBtn_clicked();
    void on_cancelWallBtn_clicked();

    // DAMPER page.
    void on_itypeCBox_3_currentIndexChanged(int index);

    // MULTISPRING page.
    void on_ihystCBox_4_currentIndexChanged(int index);
    void on_ilosCBox_3_currentIndexChanged(int index);
    void on_klosCBox_currentIndexChanged(int index);

    // REINFORCED page.
    void on_isteelCBox_currentIndexChanged(int index);
    void on_iconcCBox_currentIndexChanged(int index);

private:
    // Names beside the IHYST combos and a tool tip on every code.
    void showCodeNames();
    void tipCodes();
    CodeNames::Lines ruleLines() const;
    void init();
    void showSelected();
    void readPage();
    Member wouldStore(const Member &base);
    void noteShown();
    bool hasUnstoredEdits();
    bool settleEdits();
    bool storeShown();
    void syncTypeList();

    Ui::editMTypeDialog *ui;
    MTypeState state;              // state.member: selected entry of membersTypes
    QScrollArea *area = nullptr;
    QList<Member *> membersTypes;  // owned, entry i has ID i + 1
    // The selected record as it was shown, and what Set Properties would then have made of it.
    std::unique_ptr<Member> shownRecord;
    std::unique_ptr<Member> shownAs;
    // The parts of the form.
    std::unique_ptr<HysteresisPanel> laws;
    std::unique_ptr<FramePage> frame;
    std::unique_ptr<SpringPage> spring;
    std::unique_ptr<WallPage> wall;
    std::unique_ptr<DamperPage> damper;
    std::unique_ptr<MultiSpringPage> multiSpring;
    std::unique_ptr<ReinforcedPage> reinforced;
    std::function<bool(int)> deleteCheck;
};

#endif // EDITMTYPEDIALOG_H
