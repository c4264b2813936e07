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

    // The main-window fields that give a side's temperatures and pressure to the dialog.
    struct TSideFields {
        QString t1, t2, p; // p empty: the side has no pressure field
        QString side;      // "外管" or "内管"
    };
    // Annulus side for "SBP1"/"SBP1v", inner side for "SBP2"/"SBP2v"; empty names otherwise.
    static TSideFields SideFields(const QString& opener);

    // Opening from a property button: hides the maintenance page, selects "物性数据",
    // empties the password, sizes the pages, remembers the opener, takes t from the side's
    // mean temperature (both temperatures filled) and p from its pressure field (filled and
    // enabled); results computed for another t or p are cleared. Then shows the dialog
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
    // Beside the record: its range, phase and saturation line ("DBTextRange").
    QLineEdit* RangeShow = nullptr;
    // The status line of the property page ("StatusLineP"): where t and p came from, the
    // range warning, a refusal.
    QLabel* StatusLine = nullptr;
    // The results shown lie outside the record's range (fields marked, "&O 确定" asks).
    bool ResultsOutOfRange() const { return outOfRange_; }

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
    // "&C 计算"; false when it stopped before the last property.
    bool Calculate();
    // The record and the values table as one text: results belong to the inputs they were
    // computed from.
    QString InputsKey() const;
    void MarkResults(bool outOfRange, const QString& message);
    void ClearResults();

    QString path_;
    QString opener_;
    FieldLookup targets_;
    bool refreshing_ = false;
    std::optional<QString> resultsKey_; // inputs of the last "&C 计算"
    bool outOfRange_ = false;
    QString refusal_; // why the last "&C 计算" computed nothing
    QString warning_;
};

} // namespace tubalon
