// The property dialog "简易物性数据库": browse the property library, compute a fluid's six
// properties at t and p, carry them into one side of the main window; a maintenance page
// behind a password edits and saves the library.
#pragma once

#include "props/PropCell.h"
#include "props/PropLib.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <array>
#include <functional>
#include <optional>

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTabWidget;
class QToolButton;

namespace tubalon {

class TComboBoxU;
class TEditD;
class TMyValues;

// The record navigator: first, previous, next, last, insert, delete, edit, post, cancel,
// refresh. Either all ten buttons or only the five that browse are shown.
class TDBNavigator : public QWidget {
    Q_OBJECT
public:
    enum Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh };
    explicit TDBNavigator(QWidget* parent = nullptr);
    QToolButton* ButtonAt(Button b) const { return buttons_[static_cast<size_t>(b)]; }
    void ShowAll(bool all);
signals:
    void Clicked(int button);

private:
    std::array<QToolButton*, 10> buttons_{};
};

// One dialog field and the main-window field it is copied into.
struct TPropCopyPair {
    QString dialogField; // CPD, MDD, VID, TCD, HVD
    QString mainField;   // CprD, DenrD, ...
};

// The six results in SI units as "&O 确定" returns them; empty where the field is empty.
struct TPropSIValues {
    std::optional<double> Cp, MD, VI, TC, ST, HV;
};

class TFormSimpPL : public QDialog {
    Q_OBJECT
public:
    // Loads AppDir + "PropLib.cds". A failure is shown and leaves the library closed.
    explicit TFormSimpPL(const QString& appDir, QWidget* parent = nullptr);
    ~TFormSimpPL() override;

    // The main window's fields by name, used by "&O 确定" to copy the values.
    using FieldLookup = std::function<TEditD*(const QString& name)>;
    void SetTargetFields(FieldLookup lookup) { targets_ = std::move(lookup); }

    // The pairs copied for an opener ("SBP1", "SBP1v", "SBP2", "SBP2v"); none for others.
    static QList<TPropCopyPair> CopyPairs(const QString& opener);

    // Opening from a property button: hides the maintenance page, selects "物性数据",
    // empties the password, sizes the pages, remembers the opener; then shows the dialog
    // modally and returns its result.
    int Open(const QString& opener);
    void PrepareOpen(const QString& opener);
    QString Opener() const { return opener_; }

    TPropLib PropLib;
    QString LibraryPath() const { return path_; }

    // Components (named as on the form).
    TDBNavigator* DBNavigator1 = nullptr;
    QTableWidget* DBGrid1 = nullptr;
    QTabWidget* PageControlP = nullptr;
    QWidget *TStGetP = nullptr, *TSManP = nullptr;
    TMyValues* MyValues1 = nullptr;
    TEditD *CPD = nullptr, *MDD = nullptr, *VID = nullptr, *TCD = nullptr, *STD = nullptr,
           *HVD = nullptr;
    TComboBoxU *CPU = nullptr, *MDU = nullptr, *VIU = nullptr, *TCU = nullptr, *STU = nullptr,
               *HVU = nullptr;
    QPushButton *BBCal = nullptr, *BBOK = nullptr, *BBCancle = nullptr, *BitBtn1 = nullptr,
                *BBSaveSys = nullptr, *BBClose2 = nullptr;
    QLineEdit* MaskEdit1 = nullptr;
    // Read-only texts of the property page and edits of the maintenance page, by field index
    // (NO, CN, EN, CP, MD, VI, TC, ST, HV, NT); the property page shows NO, CN, EN, NT only.
    std::array<QLineEdit*, kPropFieldCount> ShowText{};
    std::array<QLineEdit*, kPropFieldCount> EditText{};

    static constexpr const char* kPassword = "pomvrak";

signals:
    // "&O 确定" after the copy: the opener and the dialog's values in SI units.
    void Confirmed(const QString& opener, const TPropSIValues& values);

public slots:
    void BBCalClick();
    void BBOKClick();
    void BitBtn1Click();
    void BBSaveSysClick();
    void PageControlPChange();
    void NavigatorClick(int button);

private:
    void BuildResultRow(QGridLayout* grid, int row, const char* caption, TEditD*& field,
                        TComboBoxU*& units, const char* name, const QStringList& items);
    void RefreshRecord();
    void RefreshGrid();
    TPropSIValues SIValues() const;
    TEditD* ResultField(const QString& name) const;

    QString path_;
    QString opener_;
    FieldLookup targets_;
    bool refreshing_ = false;
};

} // namespace tubalon
