#include "props/SimpProps.h"

#include "formula/MyValues.h"
#include "props/PropLimits.h"
#include "units/ComboBoxU.h"
#include "units/EditD.h"
#include "units/Errors.h"
#include "units/Messages.h"
#include "units/NumberFormat.h"
#include "units/UnitLists.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValidator>

#include <cmath>

namespace tubalon {

namespace {

constexpr int kPropPageWidth = 370, kPropDialogWidth = 645;
constexpr int kManPageWidth = 670, kManDialogWidth = 945;

// Refuses a text wider than the field's GBK byte width.
class GbkWidthValidator : public QValidator {
public:
    GbkWidthValidator(int bytes, QObject* parent) : QValidator(parent), bytes_(bytes) {}
    State validate(QString& input, int&) const override {
        return GbkByteLength(input) <= bytes_ ? Acceptable : Invalid;
    }

private:
    int bytes_;
};

// The password box shows each typed character as "*".
class StarStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* ret) const override {
        if (hint == SH_LineEdit_PasswordCharacter) return '*';
        return QProxyStyle::styleHint(hint, option, widget, ret);
    }
};

// The dialog's grid as the cell expansion reads it.
class GridValues : public TPropValues {
public:
    explicit GridValues(TMyValues* g) : g_(g) {}
    QString GetValue(const QString& name) const override { return g_->GetValue(name); }
    QString RowValue(int row) const override {
        return row >= 0 && row < g_->rowCount() ? g_->Cell(row, TMyValues::ColValue) : QString();
    }
    TFpValueTable* FormulaTable() override { return g_; }

private:
    TMyValues* g_;
};

QStringList Items(std::initializer_list<std::pair<const char*, const char*>> units) {
    QStringList out;
    for (const auto& [unit, factor] : units)
        out << UnitItem(QString::fromUtf8(unit), 14, QString::fromUtf8(factor));
    return out;
}

const char* const kNavHints[10] = {"开头", "上一个", "下一个", "最后", "插入",
                                   "删除", "编辑",   "确认",   "取消", "刷新"};
const char* const kNavNames[10] = {"nbFirst",  "nbPrior", "nbNext", "nbLast",   "nbInsert",
                                   "nbDelete", "nbEdit",  "nbPost", "nbCancel", "nbRefresh"};
const char* const kNavGlyphs[10] = {"|◀", "◀", "▶", "▶|", "+", "−", "▲", "✔", "✘", "↻"};

} // namespace

// ---- navigator ----

TDBNavigator::TDBNavigator(QWidget* parent) : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    for (int i = 0; i < 10; ++i) {
        auto* b = new QToolButton(this);
        b->setObjectName(QLatin1String(kNavNames[i]));
        b->setText(QString::fromUtf8(kNavGlyphs[i]));
        b->setToolTip(QString::fromUtf8(kNavHints[i]));
        connect(b, &QToolButton::clicked, this, [this, i] { emit Clicked(i); });
        row->addWidget(b);
        buttons_[static_cast<size_t>(i)] = b;
    }
    row->addStretch();
}

void TDBNavigator::ShowAll(bool all) {
    for (int i = Insert; i <= Cancel; ++i)
        buttons_[static_cast<size_t>(i)]->setVisible(all);
}

// ---- dialog ----

TFormSimpPL::TFormSimpPL(const QString& appDir, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormSimpPL"));
    setWindowTitle(QStringLiteral("简易物性数据库"));
    path_ = PropLibPath(appDir);

    // The list keeps its width; the page control takes the rest of the dialog's width.
    auto* top = new QHBoxLayout(this);
    top->setContentsMargins(6, 6, 6, 6);
    top->setSpacing(6);
    auto* leftPanel = new QWidget(this);
    leftPanel->setFixedWidth(kPropDialogWidth - kPropPageWidth - 20);
    auto* left = new QVBoxLayout(leftPanel);
    left->setContentsMargins(0, 0, 0, 0);
    DBNavigator1 = new TDBNavigator(this);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    DBGrid1 = new QTableWidget(0, 2, this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setHorizontalHeaderLabels({QStringLiteral("流水号"), QStringLiteral("中文名称")});
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->verticalHeader()->setVisible(false);
    DBGrid1->verticalHeader()->setDefaultSectionSize(20);
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    DBGrid1->setColumnWidth(0, 60);
    left->addWidget(DBNavigator1);
    left->addWidget(DBGrid1);
    top->addWidget(leftPanel);

    PageControlP = new QTabWidget(this);
    PageControlP->setObjectName(QStringLiteral("PageControlP"));
    top->addWidget(PageControlP);

    // Page "物性数据".
    TStGetP = new QWidget;
    TStGetP->setObjectName(QStringLiteral("TStGetP"));
    auto* pv = new QVBoxLayout(TStGetP);
    auto* info = new QGridLayout;
    const int shown[] = {0, 1, 2, 9};
    int r = 0;
    for (int i : shown) {
        const auto& fd = PropFields()[static_cast<size_t>(i)];
        auto* e = new QLineEdit(TStGetP);
        e->setObjectName(QStringLiteral("DBText") + QLatin1String(fd.name));
        e->setReadOnly(true);
        info->addWidget(new QLabel(QString::fromUtf8(fd.caption), TStGetP), r, 0);
        info->addWidget(e, r++, 1);
        ShowText[static_cast<size_t>(i)] = e;
    }
    RangeShow = new QLineEdit(TStGetP);
    RangeShow->setObjectName(QStringLiteral("DBTextRange"));
    RangeShow->setReadOnly(true);
    info->addWidget(new QLabel(QStringLiteral("适用范围"), TStGetP), r, 0);
    info->addWidget(RangeShow, r++, 1);
    pv->addLayout(info);
    MyValues1 = new TMyValues(TStGetP);
    MyValues1->setObjectName(QStringLiteral("MyValues1"));
    MyValues1->LoadPropertyDialogForm();
    MyValues1->setMinimumHeight(80);
    pv->addWidget(MyValues1);
    auto* res = new QGridLayout;
    BuildResultRow(res, 0, "比热", CPD, CPU, "CP",
                   Items({{"J/(kg.K)", "1"},
                          {"kJ/(kg.K)", "1000"},
                          {"kcal/kg.K", "4187"},
                          {"Mkcal/kg.K", "4.187E9"}}));
    BuildResultRow(res, 1, "密度", MDD, MDU, "MD", Items({{"kg/m3", "1"}, {"t/m3", "1000"}}));
    BuildResultRow(res, 2, "黏度", VID, VIU, "VI",
                   Items({{"N.S/m2", "1"}, {"Pa.S", "1"}, {"cP", "0.001"}}));
    BuildResultRow(res, 3, "导热系数", TCD, TCU, "TC",
                   Items({{"W/(m.K)", "1"},
                          {"kW/(m.K)", "1000"},
                          {"kJ/(m.K.S)", "1000"},
                          {"kcal/(m.K.S)", "4187"},
                          {"kcal/(m.K.h)", "1.1630"}}));
    BuildResultRow(
        res, 4, "表面张力", STD, STU, "ST",
        Items({{"N/m", "1"}, {"Dyne/cm", "0.001"}, {"g/cm", "0.9807"}, {"kg/m", "9.807"}}));
    BuildResultRow(res, 5, "蒸发潜热", HVD, HVU, "HV",
                   Items({{"J/kg", "1"}, {"kJ/kg", "1000"}, {"kcal/kg", "4186"}}));
    pv->addLayout(res);
    auto* buttons = new QGridLayout;
    auto makeButton = [this](const char* text, const char* name, QWidget* page) {
        auto* b = new QPushButton(QString::fromUtf8(text), page);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    BBCal = makeButton("&C 计算", "BBCal", TStGetP);
    BBOK = makeButton("&O 确定", "BBOK", TStGetP);
    BBCancle = makeButton("&C 关闭", "BBCancle", TStGetP);
    BitBtn1 = makeButton("&E 维护", "BitBtn1", TStGetP);
    MaskEdit1 = new QLineEdit(TStGetP);
    MaskEdit1->setObjectName(QStringLiteral("MaskEdit1"));
    MaskEdit1->setEchoMode(QLineEdit::Password);
    auto* star = new StarStyle;
    star->setParent(MaskEdit1);
    MaskEdit1->setStyle(star);
    buttons->addWidget(BBCal, 0, 0);
    buttons->addWidget(BBOK, 0, 1);
    buttons->addWidget(BBCancle, 0, 2);
    buttons->addWidget(BitBtn1, 1, 0);
    buttons->addWidget(MaskEdit1, 1, 1, 1, 2);
    pv->addLayout(buttons);
    StatusLine = new QLabel(TStGetP);
    StatusLine->setObjectName(QStringLiteral("StatusLineP"));
    StatusLine->setWordWrap(true);
    StatusLine->setFrameShape(QFrame::StyledPanel);
    StatusLine->setMinimumHeight(34);
    StatusLine->setTextInteractionFlags(Qt::TextSelectableByMouse);
    pv->addWidget(StatusLine);
    PageControlP->addTab(TStGetP, QStringLiteral("物性数据"));

    // Page "数据库维护".
    TSManP = new QWidget;
    TSManP->setObjectName(QStringLiteral("TSManP"));
    auto* mv = new QGridLayout(TSManP);
    const int order[] = {0, 1, 2, 9, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13};
    r = 0;
    for (int i : order) {
        const auto& fd = PropFields()[static_cast<size_t>(i)];
        auto* e = new QLineEdit(TSManP);
        e->setObjectName(QStringLiteral("DBEdit") + QLatin1String(fd.name));
        e->setValidator(new GbkWidthValidator(fd.width, e));
        mv->addWidget(new QLabel(QString::fromUtf8(fd.caption), TSManP), r, 0);
        mv->addWidget(e, r++, 1);
        EditText[static_cast<size_t>(i)] = e;
        connect(e, &QLineEdit::textEdited, this, [this, i](const QString& text) {
            if (refreshing_) return;
            GuardHandler(this, [&] {
                PropLib.SetField(i, text);
                RefreshGrid();
            });
        });
    }
    auto* manButtons = new QHBoxLayout;
    BBSaveSys = makeButton("&S 保存系统库", "BBSaveSys", TSManP);
    BBClose2 = makeButton("&C 关闭", "BBClose2", TSManP);
    manButtons->addWidget(BBSaveSys);
    manButtons->addWidget(BBClose2);
    manButtons->addStretch();
    mv->addLayout(manButtons, r, 0, 1, 2);
    mv->setRowStretch(r + 1, 1);
    PageControlP->addTab(TSManP, QStringLiteral("数据库维护"));

    connect(BBCal, &QPushButton::clicked, this, &TFormSimpPL::BBCalClick);
    connect(BBOK, &QPushButton::clicked, this, &TFormSimpPL::BBOKClick);
    connect(BBCancle, &QPushButton::clicked, this, &QDialog::reject);
    connect(BBClose2, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn1, &QPushButton::clicked, this, &TFormSimpPL::BitBtn1Click);
    connect(BBSaveSys, &QPushButton::clicked, this, &TFormSimpPL::BBSaveSysClick);
    connect(PageControlP, &QTabWidget::currentChanged, this, &TFormSimpPL::PageControlPChange);
    connect(DBNavigator1, &TDBNavigator::Clicked, this, &TFormSimpPL::NavigatorClick);
    connect(DBGrid1, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
        if (refreshing_ || row < 0) return;
        GuardHandler(this, [&] {
            PropLib.CheckOpen();
            if (PropLib.State() != TPropState::Browse) PropLib.Post();
            PropLib.SetCurrentIndex(row);
            RefreshRecord();
            RefreshGrid();
        });
    });

    try {
        PropLib.Load(path_);
    } catch (const std::exception& e) {
        ShowException(parentWidget(), e);
    }
    RefreshGrid();
    RefreshRecord();
    PageControlP->setTabVisible(1, false);
    PageControlP->setCurrentIndex(0);
    PageControlPChange();
}

TFormSimpPL::~TFormSimpPL() = default;

void TFormSimpPL::BuildResultRow(QGridLayout* grid, int row, const char* caption, TEditD*& field,
                                 TComboBoxU*& units, const char* name, const QStringList& items) {
    auto* label = new QLabel(QString::fromUtf8(caption), TStGetP);
    label->setObjectName(QLatin1String(name) + QStringLiteral("L"));
    field = new TEditD(TStGetP);
    field->setObjectName(QLatin1String(name) + QStringLiteral("D"));
    field->SetMyLabel(label);
    units = new TComboBoxU(TStGetP);
    units->setObjectName(QLatin1String(name) + QStringLiteral("U"));
    units->addItems(items);
    units->FitBesideField();
    units->SetAssociated(field);
    units->Loaded();
    TComboBoxU* u = units;
    connect(units, QOverload<int>::of(&QComboBox::activated), this,
            [this, u](int i) { GuardHandler(this, [&] { u->UserPick(i); }); });
    grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1);
    grid->addWidget(units, row, 2);
}

QList<TPropCopyPair> TFormSimpPL::CopyPairs(const QString& opener) {
    if (opener == QLatin1String("SBP1"))
        return {
            {"CPD", "CprD"}, {"MDD", "DenrD"}, {"VID", "MrD"}, {"TCD", "LdrD"}, {"HVD", "DHrD"}};
    if (opener == QLatin1String("SBP1v")) return {{"MDD", "DrvD"}, {"VID", "MrvD"}};
    if (opener == QLatin1String("SBP2"))
        return {
            {"CPD", "CptD"}, {"MDD", "DentD"}, {"VID", "MtD"}, {"TCD", "LdtD"}, {"HVD", "DHtD"}};
    if (opener == QLatin1String("SBP2v")) return {{"MDD", "dtvD"}, {"VID", "MtvD"}};
    return {};
}

TEditD* TFormSimpPL::ResultField(const QString& name) const {
    for (TEditD* f : {CPD, MDD, VID, TCD, STD, HVD})
        if (f->objectName() == name) return f;
    return nullptr;
}

TFormSimpPL::TSideFields TFormSimpPL::SideFields(const QString& opener) {
    if (opener == QLatin1String("SBP1") || opener == QLatin1String("SBP1v"))
        return {QStringLiteral("Tr1D"), QStringLiteral("Tr2D"), QString(), QStringLiteral("外管")};
    if (opener == QLatin1String("SBP2") || opener == QLatin1String("SBP2v"))
        return {QStringLiteral("Tt1D"), QStringLiteral("Tt2D"), QStringLiteral("PtvD"),
                QStringLiteral("内管")};
    return {};
}

void TFormSimpPL::PrepareOpen(const QString& opener) {
    PageControlP->setTabVisible(1, false);
    PageControlP->setCurrentIndex(0);
    MaskEdit1->clear();
    PageControlPChange();
    opener_ = opener;

    // The side's mean temperature and its pressure, in SI (degC, Pa).
    const TSideFields side = SideFields(opener);
    auto siValue = [&](const QString& name, bool mustBeEnabled) -> std::optional<double> {
        TEditD* f = targets_ && !name.isEmpty() ? targets_(name) : nullptr;
        if (!f || TrimText(f->text()).isEmpty() || (mustBeEnabled && !f->isEnabled()))
            return std::nullopt;
        try {
            const double v = f->GetSIValue();
            if (std::isfinite(v)) return v;
        } catch (const std::exception&) {
        }
        return std::nullopt;
    };
    const std::optional<double> t1 = siValue(side.t1, false), t2 = siValue(side.t2, false);
    const std::optional<double> p = siValue(side.p, true);
    QStringList taken;
    bool changed = false;
    auto setRow = [&](const QString& name, const QString& value, const char* unit,
                      const char* note) {
        if (MyValues1->GetValue(name) == value) return;
        changed = true;
        if (MyValues1->FpHasName(name.toStdString()))
            MyValues1->SetValue(name, value);
        else
            MyValues1->AddValue(name, value, QString::fromUtf8(unit), QString::fromUtf8(note));
    };
    if (t1 && t2) {
        const QString t = FormatFloat15((*t1 + *t2) / 2);
        setRow(QStringLiteral("t"), t, "C", "温度");
        taken << QStringLiteral("t = %1 ℃ 取自%2进出口平均温度").arg(t, side.side);
    }
    if (p && *p > 0) {
        const QString kpa = FormatFloat15(*p / 1000);
        setRow(QStringLiteral("p"), kpa, "kPa", "压力");
        taken << QStringLiteral("p = %1 kPa 取自%2蒸汽压力").arg(kpa, side.side);
    }
    // Results of another temperature or pressure are not shown as this side's.
    if (changed) ClearResults();
    if (!taken.isEmpty())
        StatusLine->setText(taken.join(QStringLiteral("；")) + QStringLiteral("。"));
}

int TFormSimpPL::Open(const QString& opener) {
    PrepareOpen(opener);
    return exec();
}

void TFormSimpPL::PageControlPChange() {
    const bool man = PageControlP->currentWidget() == TSManP;
    PageControlP->setFixedWidth(man ? kManPageWidth : kPropPageWidth);
    DBNavigator1->ShowAll(man);
    setFixedWidth(man ? kManDialogWidth : kPropDialogWidth);
}

void TFormSimpPL::BitBtn1Click() {
    if (MaskEdit1->text() != QLatin1String(kPassword)) return;
    PageControlP->setTabVisible(1, true);
    PageControlP->setCurrentWidget(TSManP);
    PageControlPChange();
}

void TFormSimpPL::BBCalClick() {
    Calculate();
}

QString TFormSimpPL::InputsKey() const {
    QStringList key;
    key << QString::number(PropLib.CurrentIndex());
    if (const TPropRecord* rec = PropLib.IsOpen() ? PropLib.Current() : nullptr)
        for (const QString& f : rec->f)
            key << (f.isNull() ? QStringLiteral("\x01") : f);
    for (int r = 1; r < MyValues1->rowCount(); ++r)
        key << MyValues1->Cell(r, TMyValues::ColName) + '=' +
                   MyValues1->Cell(r, TMyValues::ColValue);
    return key.join(QChar(0));
}

void TFormSimpPL::MarkResults(bool outOfRange, const QString& message) {
    outOfRange_ = outOfRange;
    warning_ = outOfRange ? message : QString();
    for (TEditD* f : {CPD, MDD, VID, TCD, STD, HVD}) {
        // Marked: the warning colour and the message as the tip.
        QPalette pal = f->palette();
        pal.setColor(QPalette::Base,
                     outOfRange ? QColor(255, 224, 178) : palette().color(QPalette::Base));
        f->setPalette(pal);
        f->setToolTip(outOfRange ? message : QString());
        f->setProperty("outOfRange", outOfRange);
    }
}

void TFormSimpPL::ClearResults() {
    for (TEditD* f : {CPD, MDD, VID, TCD, STD, HVD})
        f->clear();
    MarkResults(false, {});
    refusal_.clear();
    StatusLine->clear();
}

bool TFormSimpPL::Calculate() {
    GridValues values(MyValues1);
    TEditD* const fields[] = {CPD, MDD, VID, TCD, STD, HVD};
    QStringList failures;
    auto showFailures = [&] {
        if (!failures.isEmpty())
            ShowMessage(this, MsgKind::Warning, windowTitle(), failures.join('\n'));
        failures.clear();
    };
    bool complete = false;
    GuardHandler(this, [&] {
        // The record's range and phase first: a refusal computes nothing, a warning marks
        // the results.
        refusal_.clear();
        TConditions conditions;
        const QString t = MyValues1->GetValue(QStringLiteral("t"));
        if (!t.isEmpty() && PropLib.IsOpen() && PropLib.Current()) {
            resultsKey_ = InputsKey();
            conditions =
                CheckConditions(*PropLib.Current(), t, MyValues1->GetValue(QStringLiteral("p")));
            if (conditions.kind == TConditions::Kind::Refused) {
                for (TEditD* f : fields)
                    f->clear();
                MarkResults(false, {});
                refusal_ = conditions.message;
                StatusLine->setText(conditions.message);
                ShowMessage(this, MsgKind::Warning, windowTitle(), conditions.message);
                complete = true;
                return;
            }
        }
        const bool out = conditions.kind == TConditions::Kind::OutOfRange;
        MarkResults(out, conditions.message);
        StatusLine->setText(out ? conditions.message : QString());
        try {
            for (size_t i = 0; i < PropCellNames().size(); ++i) {
                const TCellOutcome o =
                    EvaluatePropertyCell(PropLib, QLatin1String(PropCellNames()[i].field), values);
                switch (o.kind) {
                case TCellOutcome::Kind::NoTemperature:
                    // The same for every property: said once, the run ends here.
                    showFailures();
                    ShowMessage(this, MsgKind::Warning, windowTitle(), o.message);
                    return;
                case TCellOutcome::Kind::Clear:
                    fields[i]->clear();
                    break;
                case TCellOutcome::Kind::Value:
                    fields[i]->SetSIValue(o.value);
                    break;
                case TCellOutcome::Kind::Failed:
                    fields[i]->clear();
                    failures << o.message;
                    break;
                }
            }
        } catch (...) {
            showFailures();
            throw;
        }
        resultsKey_ = InputsKey();
        complete = true;
        showFailures();
    });
    return complete;
}

TPropSIValues TFormSimpPL::SIValues() const {
    auto si = [](const TEditD* f) -> std::optional<double> {
        if (f->text().isEmpty()) return std::nullopt;
        try {
            return f->GetSIValue();
        } catch (const std::exception&) {
            return std::nullopt;
        }
    };
    return {si(CPD), si(MDD), si(VID), si(TCD), si(STD), si(HVD)};
}

void TFormSimpPL::BBOKClick() {
    // Values computed for another record, t or p are computed anew before they are copied.
    if (resultsKey_ && *resultsKey_ != InputsKey() && !Calculate()) return;
    if (!refusal_.isEmpty()) {
        ShowMessage(this, MsgKind::Warning, windowTitle(), refusal_);
        return;
    }
    if (outOfRange_ &&
        ShowMessage(this, MsgKind::Question, windowTitle(),
                    warning_ + QStringLiteral("\n\n这些物性值是在数据范围之外外推得到的，"
                                              "仍要填入主窗口吗？"),
                    QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    const bool ok = GuardHandler(this, [&] {
        for (const TPropCopyPair& pair : CopyPairs(opener_)) {
            TEditD* from = ResultField(pair.dialogField);
            TEditD* to = targets_ ? targets_(pair.mainField) : nullptr;
            if (!from || from->text().isEmpty() || !to || !to->isEnabled()) continue;
            to->SetSIValue(from->GetSIValue());
        }
    });
    if (!ok) return;
    emit Confirmed(opener_, SIValues());
    accept();
}

void TFormSimpPL::BBSaveSysClick() {
    GuardHandler(this, [&] {
        if (PropLib.State() != TPropState::Browse) {
            PropLib.Post();
            RefreshGrid();
        }
        PropLib.Save(path_);
    });
}

void TFormSimpPL::NavigatorClick(int button) {
    GuardHandler(this, [&] {
        PropLib.CheckOpen();
        const bool editing = PropLib.State() != TPropState::Browse;
        switch (button) {
        case TDBNavigator::First:
        case TDBNavigator::Prior:
        case TDBNavigator::Next:
        case TDBNavigator::Last:
            if (editing) PropLib.Post();
            if (button == TDBNavigator::First) PropLib.First();
            if (button == TDBNavigator::Prior) PropLib.Prior();
            if (button == TDBNavigator::Next) PropLib.Next();
            if (button == TDBNavigator::Last) PropLib.Last();
            break;
        case TDBNavigator::Insert:
            PropLib.Insert();
            break;
        case TDBNavigator::Delete:
            if (PropLib.Current() &&
                ShowMessage(this, MsgKind::Question, windowTitle(),
                            QStringLiteral("删除当前记录？"), QMessageBox::Yes | QMessageBox::No,
                            QMessageBox::Yes) == QMessageBox::Yes)
                PropLib.Delete();
            break;
        case TDBNavigator::Edit:
            PropLib.Edit();
            break;
        case TDBNavigator::Post:
            PropLib.Post();
            break;
        case TDBNavigator::Cancel:
            PropLib.Cancel();
            break;
        case TDBNavigator::Refresh:
            // The table has no source but the file read at start: show it as it stands.
            break;
        }
        RefreshGrid();
        RefreshRecord();
    });
}

void TFormSimpPL::RefreshGrid() {
    refreshing_ = true;
    const int n = PropLib.Count();
    DBGrid1->setRowCount(n);
    for (int i = 0; i < n; ++i) {
        const TPropRecord& rec = PropLib.Record(i);
        for (int c = 0; c < 2; ++c) {
            QTableWidgetItem* item = DBGrid1->item(i, c);
            if (!item) {
                item = new QTableWidgetItem;
                DBGrid1->setItem(i, c, item);
            }
            item->setText(rec.Text(c));
        }
    }
    if (PropLib.CurrentIndex() >= 0) DBGrid1->setCurrentCell(PropLib.CurrentIndex(), 0);
    refreshing_ = false;
}

// "0–200 ℃；液相，饱和线 IAPWS-IF97" for the property page.
static QString RangeLine(const TPropRecord* rec) {
    if (!rec) return {};
    try {
        const TPropLimits l = RecordLimits(*rec);
        QStringList parts;
        if (const QString range = RangeText(l); !range.isEmpty())
            parts << range + (l.tFromTables ? QStringLiteral("（按数据表）") : QString());
        else
            parts << QStringLiteral("未注明");
        if (l.phase != TPhase::Unstated)
            parts << (l.phase == TPhase::Liquid ? QStringLiteral("液相") : QStringLiteral("气相")) +
                         (l.saturation.isEmpty()       ? QString()
                          : l.saturation.contains(';') ? QStringLiteral("，按蒸气压表判断相态")
                                                       : QStringLiteral("，按 ") + l.saturation +
                                                             QStringLiteral(" 判断相态"));
        return parts.join(QStringLiteral("；"));
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    }
}

void TFormSimpPL::RefreshRecord() {
    refreshing_ = true;
    const TPropRecord* rec = PropLib.Current();
    RangeShow->setText(RangeLine(rec));
    RangeShow->setCursorPosition(0);
    for (int i = 0; i < kPropFieldCount; ++i) {
        const QString text = rec ? rec->Text(i) : QString();
        if (QLineEdit* e = ShowText[static_cast<size_t>(i)]) {
            e->setText(text);
            e->setCursorPosition(0);
        }
        if (QLineEdit* e = EditText[static_cast<size_t>(i)]) {
            if (e->text() != text) {
                e->setText(text);
                e->setCursorPosition(0);
            }
        }
    }
    refreshing_ = false;
}

} // namespace tubalon
