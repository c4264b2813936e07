#include "app/UnitMain.h"

#include "app/InputChecks.h"
#include "app/MyStatusBar.h"
#include "calc/Driver.h"
#include "calc/FlowText.h"
#include "refdata/ChoiceTables.h"
#include "refdata/PipePage.h"
#include "refdata/PipeTable.h"
#include "refdata/UnitPickList.h"
#include "units/Colors.h"
#include "units/ComboBoxU.h"
#include "units/Controls.h"
#include "units/EditD.h"
#include "units/Errors.h"
#include "units/Messages.h"
#include "units/NamedList.h"
#include "units/NumberFormat.h"
#include "units/Tools2.h"
#include "units/UnitLists.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tubalon {
namespace {

enum class Look { Input, InputGrey, Result, ResultBlack, Off, OffEditable };
enum class Exit { Calc, Diameter, Pitch, None };
enum class Change { Any, Temperature, None };

struct FieldDef {
    const char* name;
    const char* caption;
    UnitKind unit;
    Look look;
    Exit exit;
    Change change = Change::Any;
    const char* button = nullptr; // pick button name
    const char* hint = nullptr;   // its hint
};

// Numeric fields: at least eight digits wide, so that the case page fits 1024 pixels, and
// never stretched beyond what the 7-digit display form of a number needs.
constexpr int kFieldMinWidth = 56;
constexpr int kFieldMaxWidth = 150;
// The window frame a window manager adds, as far as it is known before the first show.
constexpr int kFrameWidth = 8;
constexpr int kFrameHeight = 40;

QString BaseName(const QString& field) {
    return field.left(field.size() - 1);
}

QFont FieldFont() {
    QFont f(QStringLiteral("Times New Roman"));
    f.setPixelSize(12);
    return f;
}

// A simple drawn picture for a tool button.
QIcon GlyphIcon(const QString& glyph, const QColor& color) {
    QPixmap pm(20, 20);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(color.darker(140), 1));
    p.setBrush(color.lighter(170));
    p.drawRoundedRect(1, 1, 18, 18, 3, 3);
    QFont f = p.font();
    f.setPixelSize(12);
    f.setBold(true);
    p.setFont(f);
    p.setPen(color.darker(160));
    p.drawText(QRect(0, 0, 20, 20), Qt::AlignCenter, glyph);
    return QIcon(pm);
}

} // namespace

TFormTubalon::TFormTubalon(QWidget* parent)
    : QMainWindow(parent), inputGuard_(std::make_unique<TInputGuard>()) {
    setObjectName("FormTubalon");
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(12);
    setFont(font);
    resize(1024, 768);
    move(0, 0);
    setWindowTitle("Tubalon");
    QIcon icon;
    for (int size : {16, 32, 48, 128, 256})
        icon.addFile(QStringLiteral(":/icons/tubalon-%1.png").arg(size), QSize(size, size));
    setWindowIcon(icon);
    appDir_ = QDir(QCoreApplication::applicationDirPath()).absolutePath() + "/";

    BuildMenus();
    BuildToolBar();

    PCAll = new QTabWidget(this);
    PCAll->setObjectName("PCAll");
    // The case page scrolls when the window is smaller than its groups need.
    auto* caseScroll = new QScrollArea;
    caseScroll->setObjectName("TSCalc");
    caseScroll->setWidgetResizable(true);
    caseScroll->setFrameShape(QFrame::NoFrame);
    caseScroll->setWidget(BuildCasePage());
    TSCalc = caseScroll;
    PCAll->addTab(TSCalc, QStringLiteral("计算界面"));
    // A control reached by Tab, Enter or the arrows is scrolled into view, the whole of it
    // (ensureWidgetVisible would settle for a field's text cursor). The scroll area is the
    // connection's context: focus moves while the window's children are being deleted.
    connect(qApp, &QApplication::focusChanged, caseScroll, [caseScroll](QWidget*, QWidget* now) {
        QWidget* page = caseScroll->widget();
        if (!now || !page || !page->isAncestorOf(now)) return;
        const QRect r(now->mapTo(page, QPoint(0, 0)), now->size());
        caseScroll->ensureVisible(r.center().x(), r.center().y(), r.width() / 2 + 8,
                                  r.height() / 2 + 8);
    });

    // The diagram page scrolls too: its drawing keeps its size on a small screen.
    TSStruct = new QWidget;
    TSStruct->setObjectName("TSStruct");
    auto* structLayout = new QVBoxLayout(TSStruct);
    structLayout->setContentsMargins(0, 0, 0, 0);
    auto* structScroll = new QScrollArea(TSStruct);
    structScroll->setWidgetResizable(true);
    structScroll->setFrameShape(QFrame::NoFrame);
    StructArea = new QWidget;
    StructArea->setObjectName("StructArea");
    new QVBoxLayout(StructArea);
    structScroll->setWidget(StructArea);
    structLayout->addWidget(structScroll);
    PCAll->addTab(TSStruct, QStringLiteral("结构示意图"));

    TSPipes = new QWidget;
    TSPipes->setObjectName("TSPipes");
    auto* pl = new QVBoxLayout(TSPipes);
    pipeTable = std::make_unique<TPipeTable>();
    try {
        pipeTable->Open(TPipeTable::DatabasePath(appDir_));
    } catch (const std::exception& e) {
        // The program still runs without the table: no automatic pipes, an empty page.
        pipeTableProblem = QString::fromUtf8(e.what());
        std::fprintf(stderr, "%s\n", e.what());
    }
    pipePage = new TPipePage(*pipeTable, TSPipes);
    pipePage->setObjectName("PipePage");
    pl->addWidget(pipePage);
    connect(pipePage, &TPipePage::pipeChosen, this, &TFormTubalon::ApplyChosenPipe);
    connect(pipePage, &TPipePage::selectFinished, this, [this] {
        TEditD* chosen = chosenPipeField_;
        chosenPipeField_ = nullptr;
        pickTarget = nullptr;
        PCAll->setCurrentWidget(TSCalc);
        // The new diameters are checked and the case recalculated, as leaving them does.
        if (chosen) dooDExit(chosen);
    });
    case_.pipes = &pipeTable->series();
    case_.pipeOrderContext = pipePage;
    case_.pipeOrderReset = [](void* page) { static_cast<TPipePage*>(page)->ResetOrder(); };
    PCAll->addTab(TSPipes, QStringLiteral("管道系列"));

    TSReport = new QWidget;
    TSReport->setObjectName("TSReport");
    auto* rl = new QVBoxLayout(TSReport);
    REReport = new QTextEdit(TSReport);
    REReport->setObjectName("REReport");
    REReport->setReadOnly(true);
    rl->addWidget(REReport);
    PCAll->addTab(TSReport, QStringLiteral("简易报表"));
    connect(PCAll, &QTabWidget::currentChanged, this, &TFormTubalon::PCAllChange);
    setCentralWidget(PCAll);

    MyStatusBar1 = new TMyStatusBar(this);
    MyStatusBar1->setObjectName("MyStatusBar1");
    MyStatusBar1->SetPanels(
        {{300, Qt::AlignLeft, TMyStatusBar::Style::Text, {}},
         {120, Qt::AlignRight, TMyStatusBar::Style::Text, QStringLiteral("进度：0.00%")},
         {50, Qt::AlignLeft, TMyStatusBar::Style::OwnerDrawn, {}}});
    setStatusBar(MyStatusBar1);

    modified_ = false;
    MFSave->setEnabled(false);
    currentFile_.clear();
    qApp->installEventFilter(this);
}

TFormTubalon::~TFormTubalon() {
    qApp->removeEventFilter(this);
    // The page's model uses the table's connection: it goes first.
    delete pipePage;
    pipePage = nullptr;
}

void TFormTubalon::BuildMenus() {
    QMenuBar* mb = menuBar();
    auto action = [this](QMenu* m, const QString& text, auto slot) {
        QAction* a = m->addAction(text);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    MFile = mb->addMenu(QStringLiteral("&F 文件"));
    MFile->setObjectName("MFile");
    MFNew = action(MFile, QStringLiteral("&N 新建"), [this] {
        if (hooks.newCase) hooks.newCase();
    });
    MFOpen = action(MFile, QStringLiteral("&O 打开"), [this] {
        if (hooks.openCase) hooks.openCase();
    });
    MFile->addSeparator();
    MFSave = action(MFile, QStringLiteral("&S 保存"), [this] {
        if (hooks.saveCase) hooks.saveCase();
    });
    MFAs = action(MFile, QStringLiteral("&A 另存为"), [this] {
        if (hooks.saveCaseAs) hooks.saveCaseAs();
    });
    MFTemp = action(MFile, QStringLiteral("&T 存为模板"), [this] {
        if (hooks.saveTemplate) hooks.saveTemplate();
    });
    MFExitSeparator = MFile->addSeparator();
    MFExit = action(MFile, QStringLiteral("&E 退出"), [this] { close(); });
    MFNew->setObjectName("MFNew");
    MFOpen->setObjectName("MFOpen");
    MFSave->setObjectName("MFSave");
    MFAs->setObjectName("MFAs");
    MFTemp->setObjectName("MFTemp");
    MFExit->setObjectName("MFExit");

    QMenu* tools = mb->addMenu(QStringLiteral("&U 工具"));
    tools->addAction(QStringLiteral("&P 链接PROII"));
    tools->addAction(QStringLiteral("&H 链接HYSYS"));
    tools->addSeparator();
    MUPM = action(tools, QStringLiteral("&M 系统设置"), &TFormTubalon::MUPMClick);

    QMenu* rep = mb->addMenu(QStringLiteral("&R 报表"));
    SBRSimple = action(rep, QStringLiteral("&M 生成报表"), [this] {
        if (hooks.makeReport) hooks.makeReport();
    });
    SBRSave = action(rep, QStringLiteral("&S 保存报表 "), [this] {
        if (hooks.saveReport) hooks.saveReport();
    });
    rep->addSeparator();
    SBRPrintRep = action(rep, QStringLiteral("&P 打印报表"), [this] {
        if (hooks.printReport) hooks.printReport();
    });
    SBRPrintStruct = action(rep, QStringLiteral("&D 打印结构示意图"), [this] {
        if (hooks.printStructure) hooks.printStructure();
    });

    MAbout = mb->addAction(QStringLiteral("&A 关于"));
    connect(MAbout, &QAction::triggered, this, &TFormTubalon::MAboutClick);
    QMenu* help = mb->addMenu(QStringLiteral("&H 帮助"));
    MHPDF = action(help, QStringLiteral("&D 帮助文档"), &TFormTubalon::MHPDFClick);
    MHPDF->setObjectName("MHPDF");
    action(help, QStringLiteral("&A 关于Tubalon"), &TFormTubalon::MAboutClick);
    QAction* end = mb->addAction(QStringLiteral("&E 结束"));
    connect(end, &QAction::triggered, this, [this] { close(); });
}

void TFormTubalon::BuildToolBar() {
    QToolBar* tb = addToolBar(QStringLiteral("工具栏"));
    tb->setObjectName("ToolBar1");
    tb->setMovable(false);
    tb->setIconSize(QSize(20, 20));
    QStyle* st = style();
    auto button = [&](const QIcon& icon, const QString& hint, const std::function<void()>& f) {
        QAction* a = tb->addAction(icon, hint);
        a->setToolTip(hint);
        a->setStatusTip(hint);
        connect(a, &QAction::triggered, this, [f] { f(); });
        return a;
    };
    const auto hook = [](const std::function<void()>& h) {
        if (h) h();
    };
    button(st->standardIcon(QStyle::SP_FileIcon), QStringLiteral("新建"),
           [this, hook] { hook(hooks.newCase); });
    button(st->standardIcon(QStyle::SP_DialogOpenButton), QStringLiteral("打开"),
           [this, hook] { hook(hooks.openCase); });
    button(st->standardIcon(QStyle::SP_DialogSaveButton), QStringLiteral("保存"),
           [this, hook] { hook(hooks.saveCase); });
    button(GlyphIcon(QStringLiteral("另"), QColor(40, 90, 160)), QStringLiteral("另存为"),
           [this, hook] { hook(hooks.saveCaseAs); });
    button(GlyphIcon(QStringLiteral("模"), QColor(40, 90, 160)), QStringLiteral("存为模板"),
           [this, hook] { hook(hooks.saveTemplate); });
    tb->addSeparator();
    button(GlyphIcon(QStringLiteral("P"), QColor(120, 120, 120)), QStringLiteral(" 链接PROII"),
           [] {});
    button(GlyphIcon(QStringLiteral("H"), QColor(120, 120, 120)), QStringLiteral(" 链接Hysys"),
           [] {});
    button(GlyphIcon(QStringLiteral("设"), QColor(60, 130, 60)), QStringLiteral("系统设置"),
           [this] { MUPMClick(); });
    tb->addSeparator();
    button(GlyphIcon(QStringLiteral("表"), QColor(160, 90, 30)), QStringLiteral("生成报表"),
           [this, hook] { hook(hooks.makeReport); });
    button(GlyphIcon(QStringLiteral("存"), QColor(160, 90, 30)), QStringLiteral("保存报表"),
           [this, hook] { hook(hooks.saveReport); });
    button(GlyphIcon(QStringLiteral("印"), QColor(160, 90, 30)), QStringLiteral("打印报表"),
           [this, hook] { hook(hooks.printReport); });
    button(GlyphIcon(QStringLiteral("图"), QColor(160, 90, 30)), QStringLiteral("打印结构示意图"),
           [this, hook] { hook(hooks.printStructure); });
    tb->addSeparator();
    button(GlyphIcon(QStringLiteral("清"), QColor(170, 40, 40)), QStringLiteral("清除光标处数据"),
           [this] { SBClearClick(); });
    button(GlyphIcon(QStringLiteral("?"), QColor(40, 90, 160)), QStringLiteral("这是什么？"),
           [this] { SBHPDFClick(); });
    for (QToolButton* b : tb->findChildren<QToolButton*>())
        b->setFocusPolicy(Qt::NoFocus);
}

void TFormTubalon::Register(QWidget* w) {
    components_ << w;
}

QList<TEditD*> TFormTubalon::NumericFields() const {
    QList<TEditD*> out;
    for (QWidget* w : components_)
        if (auto* f = qobject_cast<TEditD*>(w)) out << f;
    return out;
}

QWidget* TFormTubalon::BuildCasePage() {
    auto* page = new QWidget;
    page->setObjectName("CasePage");
    auto* pageLayout = new QGridLayout(page);
    pageLayout->setContentsMargins(3, 3, 3, 3);
    pageLayout->setSpacing(3);

    auto label = [&](QWidget* parent, const QString& name, const QString& caption) {
        auto* l = new QLabel(caption, parent);
        l->setObjectName(name);
        Register(l);
        return l;
    };
    // Pick-only lists; a material list's items carry their value after "|", which stays hidden.
    auto plainList = [&](QWidget* parent, const QString& name, const QStringList& items,
                         int index) {
        QComboBox* c = new TNamedList(parent);
        c->setObjectName(name);
        c->addItems(items);
        c->setCurrentIndex(index);
        Register(c);
        return c;
    };
    auto pickButton = [&](QWidget* parent, const QString& name, const QString& hint) {
        auto* b = new QToolButton(parent);
        b->setObjectName(name);
        b->setText(QStringLiteral("…"));
        b->setToolTip(hint);
        b->setStatusTip(hint);
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRaise(false);
        b->setFixedSize(20, 20);
        Register(b);
        return b;
    };
    auto calcOnExit = [this](QWidget* w) {
        auto* watcher = new ExitWatcher(w);
        connect(watcher, &ExitWatcher::Exited, this, &TFormTubalon::WrDExit);
    };

    // Numeric field with its label, unit selector and optional pick button, in a grid row.
    auto numeric = [&](QGroupBox* box, QGridLayout* grid, int row, const FieldDef& d) {
        const QString name = QString::fromLatin1(d.name);
        QLabel* l = label(box, BaseName(name) + "L", QString::fromUtf8(d.caption));
        auto* f = new TEditD(box);
        f->setObjectName(name);
        f->setFont(FieldFont());
        f->SetMyLabel(l);
        Register(f);
        auto* u = new TComboBoxU(box);
        u->setObjectName(name == "DHtD" ? QStringLiteral("DhtU") : BaseName(name) + "U");
        u->setFont(FieldFont());
        u->addItems(UnitItems(d.unit));
        u->SetAssociated(f);
        u->FitBesideField();
        u->Loaded();
        Register(u);
        connect(u, &TComboBoxU::Changed, this, &TFormTubalon::AnyDataChange);
        fields_.insert(name, f);
        f->setMinimumWidth(kFieldMinWidth);
        f->setMaximumWidth(kFieldMaxWidth);
        grid->addWidget(l, row, 0);
        grid->addWidget(f, row, 1);
        grid->addWidget(u, row, 2);
        if (d.button) {
            QToolButton* b =
                pickButton(box, QString::fromLatin1(d.button), QString::fromUtf8(d.hint));
            grid->addWidget(b, row, 3);
        }
        switch (d.look) {
        case Look::Input:
            SetColorOf(f, clWindow);
            SetFontColorOf(f, clBlack);
            break;
        case Look::InputGrey:
            SetColorOf(f, clBtnFace);
            SetFontColorOf(f, clBlack);
            break;
        case Look::Result:
            SetColorOf(f, clBtnFace);
            f->setReadOnly(true);
            break;
        case Look::ResultBlack:
            SetColorOf(f, clBtnFace);
            f->setReadOnly(true);
            SetFontColorOf(f, clBlack);
            break;
        case Look::Off:
        case Look::OffEditable:
            SetColorOf(f, clBtnFace);
            SetFontColorOf(f, clBlack);
            f->setEnabled(false);
            l->setEnabled(false);
            u->setEnabled(false);
            break;
        }
        switch (d.exit) {
        case Exit::Calc:
            connect(f, &TEditD::Exited, this, &TFormTubalon::WrDExit);
            break;
        case Exit::Diameter:
            connect(f, &TEditD::Exited, this, [this, f] { dooDExit(f); });
            break;
        case Exit::Pitch:
            connect(f, &TEditD::Exited, this, &TFormTubalon::DspDExit);
            break;
        case Exit::None:
            break;
        }
        connect(f, &QLineEdit::textChanged, this, [this, f] {
            if (badField_ == f) badField_ = nullptr;
        });
        if (d.change == Change::Any)
            connect(f, &QLineEdit::textChanged, this, &TFormTubalon::AnyDataChange);
        else if (d.change == Change::Temperature)
            connect(f, &QLineEdit::textChanged, this, &TFormTubalon::Tr1DChange);
        return f;
    };
    auto grid = [](QGroupBox* box) {
        auto* g = new QGridLayout(box);
        // Label, field, unit, pick button. Spare width goes to the fields (the grid shares it
        // by stretch alone); once they are at their widest, the empty fifth column takes it.
        g->setContentsMargins(4, 4, 4, 4);
        g->setHorizontalSpacing(3);
        g->setVerticalSpacing(2);
        g->setColumnStretch(1, 100);
        g->setColumnStretch(4, 1);
        return g;
    };

    // Basic parameters.
    auto* basic = new QGroupBox(QStringLiteral("基本参数"), page);
    basic->setObjectName("GBBasic");
    auto* bl = new QGridLayout(basic);
    bl->setContentsMargins(6, 2, 6, 4);
    bl->setVerticalSpacing(0);
    auto* flow = new TRadioGroup(QStringLiteral("流型"),
                                 {QStringLiteral("逆流"), QStringLiteral("并流")}, 2, basic);
    flow->setObjectName("FlowType");
    flow->SetItemIndex(0);
    Register(flow);
    connect(flow, &TRadioGroup::Clicked, this, &TFormTubalon::FlowTypeClick);
    connect(flow, &TRadioGroup::Exited, this, &TFormTubalon::WrDExit);
    QLabel* calTypeL = label(basic, "CalTypeL", QStringLiteral("计算类型"));
    QComboBox* calType =
        plainList(basic, "CalTypeD", {QStringLiteral("设计型"), QStringLiteral("校核型")}, 0);
    QLabel* csminL = label(basic, "CsminL", QStringLiteral("要求富余度"));
    QComboBox* csmin = plainList(
        basic, "CsminD",
        {"-30", "-20", "-10", "-5", "0", "5", "10", "15", "20", "25", "30", "40", "50", "60"}, 4);
    csmin->setMinimumContentsLength(3);
    QLabel* csminU = label(basic, "CsminU", QStringLiteral("%"));
    QLabel* hysysL = label(basic, "HysysL", QStringLiteral("连接 Hysys..."));
    EditLHysysName = new QLineEdit(QStringLiteral("[未知]"), basic);
    EditLHysysName->setObjectName("EditLHysysName");
    EditLHysysName->setEnabled(false);
    EditLHysysName->setReadOnly(true);
    SetColorOf(EditLHysysName, clBtnFace);
    Register(EditLHysysName);
    QToolButton* hysysB = pickButton(basic, "SBHysys", QStringLiteral("连接 Hysys..."));
    auto* cbAuto = new QCheckBox(QStringLiteral("管径自动计算"), basic);
    cbAuto->setObjectName("CBAuto");
    cbAuto->setChecked(true);
    Register(cbAuto);
    connect(cbAuto, &QCheckBox::clicked, this, &TFormTubalon::CBAutoClick);
    calcOnExit(cbAuto);
    QLabel* shapeL = label(basic, "ShapeL", QStringLiteral("设备形式"));
    QComboBox* shape = plainList(
        basic, "ShapeD",
        {QStringLiteral("直管套管"), QStringLiteral("螺旋套管"), QStringLiteral("夹套釜")}, 0);
    auto* lay = new TRadioGroup(QStringLiteral("放置形式"),
                                {QStringLiteral("立式"), QStringLiteral("卧式")}, 2, basic);
    lay->setObjectName("LayType");
    lay->SetItemIndex(0);
    lay->setEnabled(false);
    Register(lay);
    connect(lay, &TRadioGroup::Clicked, this, &TFormTubalon::LayTypeClick);
    connect(lay, &TRadioGroup::Exited, this, &TFormTubalon::WrDExit);
    bl->addWidget(calTypeL, 0, 0);
    bl->addWidget(calType, 0, 1);
    bl->addWidget(csminL, 0, 2);
    bl->addWidget(csmin, 0, 3);
    bl->addWidget(csminU, 0, 4);
    bl->addWidget(flow, 0, 5, 2, 1);
    bl->addWidget(hysysL, 0, 6);
    bl->addWidget(EditLHysysName, 0, 7);
    bl->addWidget(hysysB, 0, 8);
    bl->addWidget(cbAuto, 1, 0, 1, 2);
    bl->addWidget(shapeL, 1, 2);
    bl->addWidget(shape, 1, 3, 1, 2);
    bl->addWidget(lay, 0, 9, 2, 1);
    bl->setColumnStretch(10, 1);
    connect(calType, &QComboBox::activated, this, [this] { CalTypeDClick(); });
    connect(shape, &QComboBox::activated, this, [this] { ShapeDClick(); });
    for (QComboBox* c : {calType, csmin, shape}) {
        connect(c, &QComboBox::activated, this, &TFormTubalon::AnyDataChange);
        calcOnExit(c);
    }

    // Annulus side.
    auto* outer = new QGroupBox(QStringLiteral("外管"), page);
    outer->setObjectName("GBOuter");
    auto* ol = new QHBoxLayout(outer);
    ol->setContentsMargins(3, 2, 3, 3);
    ol->setSpacing(3);
    auto* rp = new QGroupBox(QStringLiteral("壳程参数及计算结果"), outer);
    rp->setObjectName("GBShellParams");
    auto* rpg = grid(rp);
    auto* rf = new QGroupBox(QStringLiteral("壳程物性及热量平衡"), outer);
    rf->setObjectName("GBShellProps");
    auto* rfg = grid(rf);
    ol->addWidget(rp);
    ol->addWidget(rf);

    // doiD and its selector come first in component order.
    numeric(rp, rpg, 3, {"doiD", "管内径", UnitKind::Length, Look::InputGrey, Exit::Diameter});
    const FieldDef shellParams[] = {
        {"mD", "管程数", UnitKind::Passes, Look::InputGrey, Exit::Calc},
        {"ErD", "绝对粗糙度", UnitKind::Length, Look::Input, Exit::Calc, Change::Any, "SBP4",
         "选择绝对粗糙度"},
        {"dooD", "管外径", UnitKind::Length, Look::InputGrey, Exit::Diameter, Change::Any, "SBDo",
         "选择钢管系列"},
        {nullptr, nullptr, UnitKind::Length, Look::Input, Exit::None},
        {"DspD", "螺距", UnitKind::Pitch, Look::Off, Exit::Pitch, Change::Any, "SBP3", "选择螺距"},
        {"SlD", "单程管长", UnitKind::Length, Look::Input, Exit::Calc},
    };
    for (int i = 0; i < 6; ++i)
        if (shellParams[i].name) numeric(rp, rpg, i, shellParams[i]);
    QLabel* smL = label(rp, "SmL", QStringLiteral("壳体材质"));
    QComboBox* sm = plainList(rp, "SmD", PipeMaterialItems(), 0);
    rpg->addWidget(smL, 6, 0);
    rpg->addWidget(sm, 6, 1, 1, 3);
    QLabel* pmL = label(rp, "PmL", QStringLiteral("保温材料"));
    QComboBox* pm = plainList(rp, "PmD", InsulationItems(), 0);
    rpg->addWidget(pmL, 7, 0);
    rpg->addWidget(pm, 7, 1, 1, 3);
    for (QComboBox* c : {sm, pm}) {
        connect(c, &QComboBox::activated, this, &TFormTubalon::AnyDataChange);
        calcOnExit(c);
    }
    const FieldDef shellResults[] = {
        {"BpD", "保温层厚", UnitKind::Length, Look::Input, Exit::Calc},
        {"UrvD", "蒸汽流速", UnitKind::Velocity, Look::Off, Exit::None},
        {"UrD", "流速", UnitKind::Velocity, Look::Result, Exit::None},
        {"DpsD", "压力降", UnitKind::Pressure, Look::Result, Exit::None},
        {"RsD", "污垢热阻", UnitKind::Fouling, Look::Input, Exit::Calc},
        {"krD", "环道膜系数", UnitKind::Coefficient, Look::ResultBlack, Exit::None},
        {"KlD", "环境膜系数", UnitKind::Coefficient, Look::ResultBlack, Exit::None},
        {"TwaD", "管外表壁温", UnitKind::Temperature, Look::ResultBlack, Exit::None},
        {"TwD", "保温外壁温", UnitKind::Temperature, Look::ResultBlack, Exit::None},
        {"TaD", "环境温度", UnitKind::Temperature, Look::Input, Exit::Calc},
    };
    for (int i = 0; i < 10; ++i)
        numeric(rp, rpg, 8 + i, shellResults[i]);
    fields_["UrvD"]->setReadOnly(true);
    rpg->setRowStretch(18, 1);

    auto sideTop = [&](QGroupBox* box, QGridLayout* g, const QString& side) {
        const bool annulus = side == "r";
        QLabel* phL = label(box, "Ph" + side + "L", QStringLiteral("流体相态"));
        QComboBox* ph = plainList(box, "Ph" + side + "D",
                                  {QStringLiteral("单相流体"), QStringLiteral("蒸气冷凝")}, 0);
        if (annulus) ph->setFocusPolicy(Qt::ClickFocus);
        g->addWidget(phL, 0, 0);
        g->addWidget(ph, 0, 1, 1, 3);
        connect(ph, &QComboBox::activated, this, [this, ph, annulus] {
            if (annulus) PhrDClick();
            PhrDChange(ph);
        });
        calcOnExit(ph);
        QLabel* htL = label(box, "HT" + side + "L", QStringLiteral("流体类型"));
        auto* ht = new QLineEdit(box);
        ht->setObjectName("HT" + side + "D");
        ht->setReadOnly(true);
        SetColorOf(ht, clBtnFace);
        Register(ht);
        g->addWidget(htL, 1, 0);
        g->addWidget(ht, 1, 1, 1, 3);
        QLabel* laL = label(box, "La" + side + "L", QStringLiteral("不凝气体"));
        auto* la = new QLineEdit(QStringLiteral("0.00"), box);
        la->setObjectName("La" + side + "D");
        la->setEnabled(false);
        laL->setEnabled(false);
        SetColorOf(la, clBtnFace);
        Register(la);
        QLabel* laU = label(box, "La" + side + "U", QStringLiteral("%"));
        laU->setEnabled(false);
        g->addWidget(laL, 2, 0);
        g->addWidget(la, 2, 1);
        g->addWidget(laU, 2, 2);
        connect(la, &QLineEdit::textChanged, this, &TFormTubalon::AnyDataChange);
        calcOnExit(la);
        return std::make_tuple(ph, ht, la);
    };
    auto [phr, htr, lar] = sideTop(rf, rfg, "r");
    const FieldDef shellProps[] = {
        {"WrD", "质量流量", UnitKind::MassFlow, Look::Input, Exit::Calc},
        {"Tr1D", "入口温度", UnitKind::Temperature, Look::Input, Exit::Calc, Change::Temperature},
        {"Tr2D", "出口温度", UnitKind::Temperature, Look::Input, Exit::Calc, Change::Temperature},
        {"QrD", "环道热量", UnitKind::HeatFlow, Look::ResultBlack, Exit::None},
        {"QLD", "环境热损", UnitKind::HeatFlow, Look::ResultBlack, Exit::None},
        {"CprD", "平均比热", UnitKind::SpecificHeat, Look::Input, Exit::Calc, Change::Any, "SBP1",
         "物性数据库"},
        {"DenrD", "密度", UnitKind::Density, Look::Input, Exit::Calc},
        {"MrD", "动力粘度", UnitKind::Viscosity, Look::Input, Exit::Calc},
        {"LdrD", "导热系数", UnitKind::Conductivity, Look::Input, Exit::Calc},
        {"DHrD", "相变热", UnitKind::LatentHeat, Look::Off, Exit::Calc, Change::None},
        {"DrvD", "蒸汽密度", UnitKind::Density, Look::Off, Exit::Calc, Change::Any, "SBP1v",
         "物性数据库"},
    };
    for (int i = 0; i < 11; ++i)
        numeric(rf, rfg, 3 + i, shellProps[i]);
    numeric(rf, rfg, 14, {"MrvD", "蒸汽动力粘度", UnitKind::Viscosity, Look::Off, Exit::Calc});
    CmtsD = new TRichEdit(rf);
    CmtsD->setObjectName("CmtsD");
    CmtsD->SetText(QStringLiteral("注释"));
    CmtsD->setFixedHeight(24);
    CmtsD->setFocusPolicy(Qt::ClickFocus);
    Register(CmtsD);
    rfg->addWidget(label(rf, "CmtsL", QStringLiteral("注释")), 15, 0);
    rfg->addWidget(CmtsD, 15, 1, 1, 3);
    connect(CmtsD, &QTextEdit::textChanged, this, &TFormTubalon::AnyDataChange);
    connect(CmtsD, &TRichEdit::Exited, this, &TFormTubalon::WrDExit);
    rfg->setRowStretch(16, 1);

    // Inner side.
    auto* inner = new QGroupBox(QStringLiteral("内管"), page);
    inner->setObjectName("GBInner");
    auto* il = new QHBoxLayout(inner);
    il->setContentsMargins(3, 2, 3, 3);
    il->setSpacing(3);
    auto* tf = new QGroupBox(QStringLiteral("管程物性及热量平衡"), inner);
    tf->setObjectName("GBTubeProps");
    auto* tfg = grid(tf);
    auto* tp = new QGroupBox(QStringLiteral("管程参数及计算结果"), inner);
    tp->setObjectName("GBTubeParams");
    auto* tpg = grid(tp);
    il->addWidget(tf);
    il->addWidget(tp);
    auto [pht, htt, lat] = sideTop(tf, tfg, "t");
    const FieldDef tubeProps[] = {
        {"WtD", "质量流量", UnitKind::MassFlow, Look::Input, Exit::Calc},
        {"Tt1D", "入口温度", UnitKind::Temperature, Look::Input, Exit::Calc, Change::Temperature},
        {"Tt2D", "出口温度", UnitKind::Temperature, Look::Input, Exit::Calc, Change::Temperature},
        {"QtD", "内管热量", UnitKind::HeatFlow, Look::ResultBlack, Exit::None},
        {"CptD", "平均比热", UnitKind::SpecificHeat, Look::Input, Exit::Calc, Change::Any, "SBP2",
         "物性数据库"},
        {"DentD", "密度", UnitKind::Density, Look::Input, Exit::Calc},
        {"MtD", "动力粘度", UnitKind::Viscosity, Look::Input, Exit::Calc},
        {"LdtD", "导热系数", UnitKind::Conductivity, Look::Input, Exit::Calc},
        {"DHtD", "相变热", UnitKind::LatentHeat, Look::Off, Exit::Calc},
        {"dtvD", "蒸汽密度", UnitKind::Density, Look::Off, Exit::Calc, Change::Any, "SBP2v",
         "物性数据库"},
        {"PtvD", "蒸汽压力", UnitKind::Pressure, Look::Off, Exit::Calc},
    };
    for (int i = 0; i < 11; ++i)
        numeric(tf, tfg, 3 + i, tubeProps[i]);
    numeric(tf, tfg, 14, {"MtvD", "蒸汽动力粘度", UnitKind::Viscosity, Look::Off, Exit::Calc});
    CmttD = new TRichEdit(tf);
    CmttD->setObjectName("CmttD");
    CmttD->SetText(QStringLiteral("注释"));
    CmttD->setFixedHeight(24);
    Register(CmttD);
    tfg->addWidget(label(tf, "CmttL", QStringLiteral("注释")), 15, 0);
    tfg->addWidget(CmttD, 15, 1, 1, 3);
    connect(CmttD, &QTextEdit::textChanged, this, &TFormTubalon::AnyDataChange);
    connect(CmttD, &TRichEdit::Exited, this, &TFormTubalon::WrDExit);
    tfg->setRowStretch(16, 1);

    numeric(tp, tpg, 0,
            {"EtD", "绝对粗糙度", UnitKind::Length, Look::Input, Exit::Calc, Change::Any, "SBP5",
             "选择绝对粗糙度"});
    numeric(tp, tpg, 1,
            {"dioD", "管外径", UnitKind::Length, Look::InputGrey, Exit::Diameter, Change::Any,
             "SBDi", "选择钢管系列"});
    numeric(tp, tpg, 2, {"diiD", "管内径", UnitKind::Length, Look::InputGrey, Exit::Diameter});
    QLabel* tmL = label(tp, "TmL", QStringLiteral("管子材质"));
    QComboBox* tm = plainList(tp, "TmD", PipeMaterialItems(), 0);
    tpg->addWidget(tmL, 3, 0);
    tpg->addWidget(tm, 3, 1, 1, 3);
    connect(tm, &QComboBox::activated, this, &TFormTubalon::AnyDataChange);
    calcOnExit(tm);
    const FieldDef tubeResults[] = {
        {"TimeD", "夹套釜空时", UnitKind::Time, Look::Off, Exit::Calc},
        {"UtvD", "蒸汽流速", UnitKind::Velocity, Look::OffEditable, Exit::None},
        {"UtD", "流速", UnitKind::Velocity, Look::Result, Exit::None},
        {"DptD", "压力降", UnitKind::Pressure, Look::Result, Exit::None},
        {"RtD", "污垢热阻", UnitKind::Fouling, Look::Input, Exit::Calc},
        {"ktD", "膜系数", UnitKind::Coefficient, Look::Result, Exit::None},
    };
    for (int i = 0; i < 6; ++i)
        numeric(tp, tpg, 4 + i, tubeResults[i]);

    // Summary of results.
    auto* sum = new QGroupBox(QStringLiteral("简明计算结果"), tp);
    sum->setObjectName("GBSummary");
    auto* sg = grid(sum);
    const FieldDef summary[] = {
        {"QaD", "传递热量", UnitKind::HeatFlow, Look::Result, Exit::None},
        {"AdtD", "平均温度差", UnitKind::Temperature, Look::Result, Exit::None},
        {"KaD", "总传热系数", UnitKind::Coefficient, Look::Result, Exit::None},
        {"AcD", "理论面积", UnitKind::Area, Look::Result, Exit::None},
        {"ArD", "实际面积", UnitKind::Area, Look::Result, Exit::None},
        {"HLPD", "壳程热损", UnitKind::Percent, Look::Result, Exit::None},
        {"CsD", "实际富裕度", UnitKind::Percent, Look::Result, Exit::None},
        {"LaD", "总管长", UnitKind::Length, Look::Result, Exit::None},
    };
    for (int i = 0; i < 8; ++i)
        numeric(sum, sg, i, summary[i]);
    tpg->addWidget(sum, 10, 0, 1, 5);
    tpg->setRowStretch(11, 1);

    pageLayout->addWidget(basic, 0, 0, 1, 2);
    pageLayout->addWidget(outer, 1, 0);
    pageLayout->addWidget(inner, 1, 1);
    pageLayout->setRowStretch(1, 1);

    // Pick buttons.
    for (const char* n : {"SBP1", "SBP1v", "SBP2", "SBP2v"}) {
        auto* b = page->findChild<QToolButton*>(n);
        connect(b, &QToolButton::clicked, this, [this, b] {
            if (hooks.showProps) hooks.showProps(b);
        });
    }
    page->findChild<QToolButton*>("SBP1v")->setEnabled(false);
    page->findChild<QToolButton*>("SBP2v")->setEnabled(false);
    auto* sbp3 = page->findChild<QToolButton*>("SBP3");
    sbp3->setEnabled(false);
    connect(sbp3, &QToolButton::clicked, this, &TFormTubalon::SBP3Click);
    for (const char* n : {"SBP4", "SBP5"}) {
        auto* b = page->findChild<QToolButton*>(n);
        connect(b, &QToolButton::clicked, this, [this, b] { SBP4Click(b); });
    }
    SBDo = page->findChild<QToolButton*>("SBDo");
    SBDi = page->findChild<QToolButton*>("SBDi");
    for (QToolButton* b : {SBDo, SBDi})
        connect(b, &QToolButton::clicked, this, [this, b] {
            pickTarget = b;
            PCAll->setCurrentWidget(TSPipes);
            if (hooks.pipePage) hooks.pipePage();
        });
    // The hidden label check.
    auto* check = new QPushButton(QStringLiteral("检查MyLabel"), page);
    check->setObjectName("BCheckLabels");
    check->hide();
    connect(check, &QPushButton::clicked, this, &TFormTubalon::CheckMyLabels);

    // The case the calculation works on.
#define TUBALON_BIND_FIELD(name) case_.name = fields_.value(#name);
    TUBALON_CASE_FIELDS(TUBALON_BIND_FIELD)
#undef TUBALON_BIND_FIELD
    case_.ShapeD = shape;
    case_.CalTypeD = calType;
    case_.CsminD = csmin;
    case_.PhrD = phr;
    case_.PhtD = pht;
    case_.TmD = tm;
    case_.SmD = sm;
    case_.PmD = pm;
    case_.FlowType = flow;
    case_.LayType = lay;
    case_.CBAuto = cbAuto;
    case_.HTrD = htr;
    case_.HTtD = htt;
    case_.LarD = lar;
    case_.LatD = lat;
    // The film fields tell what their coefficient rests on, whatever changed their text
    // (a calculation updates them once at its end).
    for (TEditD* film : {case_.krD, case_.ktD})
        connect(film, &QLineEdit::textChanged, this, [this] {
            if (!inCalculation_) ShowFlowInfo();
        });

    // Tab order, group by group.
    auto f = [this](const char* n) -> QWidget* { return fields_.value(n); };
    tabChain_ = {calType,   csmin,     flow,      EditLHysysName, cbAuto,    shape,      lay,
                 f("mD"),   f("ErD"),  f("dooD"), f("doiD"),      f("DspD"), f("SlD"),   sm,
                 pm,        f("BpD"),  f("UrvD"), f("UrD"),       f("DpsD"), f("RsD"),   f("krD"),
                 f("KlD"),  f("TwaD"), f("TwD"),  f("TaD"),       htr,       lar,        f("WrD"),
                 f("Tr1D"), f("Tr2D"), f("QrD"),  f("QLD"),       f("CprD"), f("DenrD"), f("MrD"),
                 f("LdrD"), f("DHrD"), f("DrvD"), f("MrvD"),      pht,       htt,        lat,
                 f("WtD"),  f("Tt1D"), f("Tt2D"), f("QtD"),       f("CptD"), f("DentD"), f("MtD"),
                 f("LdtD"), f("DHtD"), f("dtvD"), f("PtvD"),      CmttD,     f("MtvD"),  f("EtD"),
                 f("dioD"), f("diiD"), tm,        f("TimeD"),     f("UtvD"), f("UtD"),   f("DptD"),
                 f("RtD"),  f("ktD"),  f("QaD"),  f("AdtD"),      f("KaD"),  f("AcD"),   f("ArD"),
                 f("HLPD"), f("CsD"),  f("LaD")};
    for (int i = 1; i < tabChain_.size(); ++i)
        QWidget::setTabOrder(tabChain_[i - 1], tabChain_[i]);
    return page;
}

// ---- Handlers -------------------------------------------------------------------------

void TFormTubalon::ApplyChosenPipe(double outer, double inner) {
    if (pickTarget == SBDo) {
        case_.dooD->SetSIValue(outer);
        case_.doiD->SetSIValue(inner);
        chosenPipeField_ = case_.dooD;
    } else if (pickTarget == SBDi) {
        case_.dioD->SetSIValue(outer);
        case_.diiD->SetSIValue(inner);
        chosenPipeField_ = case_.dioD;
    }
}

void TFormTubalon::PlaceOnScreen(const QRect& available) {
    // Room for the window manager's title bar and borders, unknown before the first show.
    const QSize frame =
        (frameGeometry().size() - geometry().size()).expandedTo(QSize(kFrameWidth, kFrameHeight));
    const QSize room = available.size() - frame;
    auto* scroll = static_cast<QScrollArea*>(TSCalc);
    const QSize chrome(
        2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 16,
        menuBar()->sizeHint().height() + findChild<QToolBar*>("ToolBar1")->sizeHint().height() +
            PCAll->tabBar()->sizeHint().height() + MyStatusBar1->sizeHint().height() + 16);
    const QSize want = (scroll->widget()->sizeHint() + chrome).expandedTo(QSize(1024, 768));
    if (want.width() <= room.width() && want.height() <= room.height()) {
        setWindowState(windowState() & ~Qt::WindowMaximized);
        resize(want);
        move(available.left() + (room.width() - want.width()) / 2,
             available.top() + (room.height() - want.height()) / 2);
        return;
    }
    resize(want.boundedTo(room));
    move(available.topLeft());
    setWindowState(windowState() | Qt::WindowMaximized);
}

void TFormTubalon::SetModified(bool m) {
    modified_ = m;
    MFSave->setEnabled(m);
}

void TFormTubalon::RunGuarded(const std::function<void()>& body) {
    GuardHandler(this, body);
}

void TFormTubalon::WrDExit() {
    if (inCalculation_ || restoringFocus_ || calculationPaused_) return;
    // A text that is not a number stops the calculation before it starts: the user hears of
    // it once per edit and lands back in the field.
    TEditD* bad = nullptr;
    bool reportedStillBad = false;
    for (QWidget* w : tabChain_) {
        auto* f = qobject_cast<TEditD*>(w);
        if (!f || !f->isEnabled() || f->isReadOnly()) continue;
        const QString t = TrimText(f->text());
        long double n = 0;
        if (t.isEmpty() || TryParseNumber(t, n)) continue;
        if (f == badField_) {
            reportedStillBad = true;
        } else if (!bad) {
            bad = f;
        }
    }
    if (bad) {
        ReportBadNumber(bad, EConvertError::MessageOf(TrimText(bad->text()), bad->Caption()));
        return;
    }
    if (reportedStillBad) return;
    // Values no exchanger can have are told once and hold the calculation; the field just
    // left gets the focus back when it holds one.
    if (TEditD* refused = inputGuard_->BeforeCalculation(this, case_)) {
        MyStatusBar1->SetPanelText(
            0, QStringLiteral("输入不合理，没有计算：%1").arg(refused->Caption()));
        if (refused == sender()) RestoreFocus(refused);
        return;
    }
    inCalculation_ = true;
    boundHit_ = false;
    // What the call had to say is shown after it, each message once: the warnings of its
    // steps, then the error that ended it.
    QString error;
    bool badNumber = false;
    TEditD* badNumberField = nullptr;
    try {
        const CalcResult r = RunCalculation(case_, state_);
        lastPasses = r.passes;
        boundHit_ = r.boundHit;
    } catch (const EConvertError& e) {
        badNumber = true;
        badNumberField = fields_.value(e.fieldName());
        error = e.message();
    } catch (const std::exception& e) {
        error = QString::fromUtf8(e.what());
    }
    inCalculation_ = false;
    Progress();
    for (const QString& warning : state_.warnings)
        ShowMessage(this, MsgKind::Warning, QStringLiteral("警告"), warning);
    if (badNumber)
        ReportBadNumber(badNumberField, error);
    else if (!error.isEmpty())
        ShowMessage(this, MsgKind::Error, QStringLiteral("Tubalon"), error);
    ShowFlowInfo();
}

void TFormTubalon::ShowFlowInfo() {
    case_.krD->setToolTip(FlowToolTip(ShownAnnulusFlow(case_, state_)));
    case_.ktD->setToolTip(FlowToolTip(ShownInnerFlow(case_, state_)));
    QStringList notice;
    if (boundHit_) notice << QStringLiteral("计算未能收敛，显示的是最后一次的结果。");
    if (const QStringList w = FlowWarnings(case_, state_); !w.isEmpty())
        notice << QStringLiteral("警告：") + w.join(QStringLiteral("；"));
    calcNotice_ = notice.join(QChar(' '));
    if (!MyStatusBar1) return;
    MyStatusBar1->SetPanelText(0, calcNotice_);
    MyStatusBar1->setToolTip(calcNotice_); // the whole notice, when the panel cuts it
}

void TFormTubalon::ReportBadNumber(TEditD* field, const QString& message) {
    if (field && field == badField_) return; // told once since its last edit
    badField_ = field;
    ShowMessage(this, MsgKind::Error, QStringLiteral("Tubalon"), message);
    if (!field || !field->isEnabled() || field->isReadOnly()) return;
    PCAll->setCurrentWidget(TSCalc);
    RestoreFocus(field);
    field->selectAll();
}

void TFormTubalon::Progress() {
    int e = 0, f = 0;
    for (QWidget* w : components_) {
        auto* field = qobject_cast<TEditD*>(w);
        if (!field) continue;
        if (field->isEnabled()) {
            ++e;
            if (!field->text().isEmpty()) ++f;
        }
    }
    QProgressBar* bar = MyStatusBar1->ProgressBar();
    if (e == 0) {
        MyStatusBar1->SetPanelText(1, QStringLiteral("进度：0%"));
        bar->setValue(0);
        return;
    }
    int shown = (100 * f + e - 1) / e;                           // ceiling of 100 f / e
    int value = static_cast<int>(std::nearbyint(100.0 * f / e)); // halves to even
    // A call that did not complete is never shown as done.
    if (!state_.incomplete.isEmpty()) {
        shown = std::min(shown, 99);
        value = std::min(value, 99);
    }
    MyStatusBar1->SetPanelText(1, QStringLiteral("进度：%1%").arg(shown));
    bar->setValue(value);
}

static QWidget* Named(QObject* root, const QString& name) {
    return root->findChild<QWidget*>(name);
}

static QList<QWidget*> NamedList(QObject* root, std::initializer_list<const char*> names) {
    QList<QWidget*> out;
    for (const char* n : names)
        out << Named(root, QString::fromLatin1(n));
    return out;
}

void TFormTubalon::ShapeDClick() {
    const int s = case_.ShapeD->currentIndex();
    EnableGroup(NamedList(this, {"DspL", "DspD", "DspU", "SBP3"}), s == 1, clWindow);
    EnableGroup(NamedList(this, {"TimeL", "TimeD", "TimeU"}), s == 2, clWindow);
    EnableGroup({case_.LayType}, s == 2, clWindow);
    auto* sl = findChild<QLabel*>("SlL");
    if (s == 0) {
        sl->setText(QStringLiteral("单程管长"));
    } else if (s == 1) {
        sl->setText(QStringLiteral("盘管直径"));
        if (TrimText(case_.DspD->text()).isEmpty()) case_.DspD->setText("1.5");
    } else if (s == 2) {
        sl->setText(case_.LayType->CurrentText() == QStringLiteral("卧式")
                        ? QStringLiteral("釜长度")
                        : QStringLiteral("釜高度"));
    }
}

void TFormTubalon::LayTypeClick() {
    findChild<QLabel*>("SlL")->setText(case_.LayType->CurrentText() == QStringLiteral("卧式")
                                           ? QStringLiteral("釜长度")
                                           : QStringLiteral("釜高度"));
    modified_ = true;
    WrDExit();
}

void TFormTubalon::PhrDChange(QWidget* sender) {
    if (sender == case_.PhrD) {
        EnableGroup(
            NamedList(this, {"SBP1v", "DHrL", "DHrD", "DHrU", "DrvL", "DrvD", "DrvU", "MrvL",
                             "MrvD", "MrvU", "UrvL", "UrvD", "UrvU", "LarL", "LarD", "LarU"}),
            case_.PhrD->currentIndex() == 1, clWindow);
    } else if (sender == case_.PhtD) {
        EnableGroup(NamedList(this, {"SBP2v", "DHtL", "DHtD", "DhtU", "dtvL", "dtvD", "dtvU",
                                     "MtvL", "MtvD", "MtvU", "UtvL", "UtvD", "UtvU", "PtvL", "PtvD",
                                     "PtvU", "LatL", "LatD", "LatU"}),
                    case_.PhtD->currentIndex() == 1, clWindow);
    }
    // The vapour velocity is a result: enabled with its side, but never an input, and a
    // velocity already computed keeps its look (an opened case reads back unchanged).
    for (TEditD* v : {case_.UrvD, case_.UtvD}) {
        if (!v->isEnabled()) continue;
        v->setReadOnly(true);
        SetColorOf(v, v->text().isEmpty() ? clBtnFace : clComputed);
    }
    AnyDataChange();
}

void TFormTubalon::PhrDClick() {
    for (TEditD* f : NumericFields())
        if (ColorOf(f) == clComputed) ClearComputed(f);
}

void TFormTubalon::CalTypeDClick() {
    const bool d = case_.CalTypeD->currentIndex() == 0;
    MarkComputed({case_.mD}, d, clComputed);
    const bool changed = case_.CBAuto->isChecked() != d;
    case_.CBAuto->setChecked(d);
    case_.CBAuto->setEnabled(d);
    if (changed) CBAutoClick();
}

void TFormTubalon::CBAutoClick() {
    MarkComputed({case_.diiD, case_.dioD, case_.doiD, case_.dooD}, case_.CBAuto->isChecked(),
                 clComputed);
}

void TFormTubalon::FlowTypeClick() {
    state_.flowTypeChanged = true;
}

void TFormTubalon::Tr1DChange() {
    state_.temperaturesChanged = true;
    SetModified(true);
}

void TFormTubalon::AnyDataChange() {
    SetModified(true);
}

void TFormTubalon::RestoreFocus(QWidget* w) {
    restoringFocus_ = true;
    w->setFocus(Qt::OtherFocusReason);
    restoringFocus_ = false;
}

void TFormTubalon::dooDExit(QWidget* sender) {
    if (restoringFocus_ || inCalculation_) return;
    TEditD* d[] = {case_.dooD, case_.doiD, case_.dioD, case_.diiD};
    bool all = true;
    for (TEditD* f : d)
        all = all && !TrimText(f->text()).isEmpty();
    if (all) {
        bool failed = false;
        try {
            const double Do = case_.dooD->GetSIValue(), Di = case_.doiD->GetSIValue();
            const double dout = case_.dioD->GetSIValue(), din = case_.diiD->GetSIValue();
            auto fail = [&](const QString& text) {
                ShowMessage(this, MsgKind::Warning, QStringLiteral("Tubalon"), text);
                failed = true;
            };
            if (!(Do > Di)) fail(QStringLiteral("外管：外径必须大于内径！"));
            if (!(Di > dout)) fail(QStringLiteral("外管内径必须大于内管外径！"));
            if (!(dout > din)) fail(QStringLiteral("内管：外径必须大于内径！"));
        } catch (const EConvertError& e) {
            ReportBadNumber(fields_.value(e.fieldName()), e.message());
            return;
        }
        if (failed) {
            RestoreFocus(sender);
            return;
        }
    }
    WrDExit();
}

void TFormTubalon::DspDExit() {
    if (restoringFocus_ || inCalculation_) return;
    if (!case_.DspD->text().isEmpty()) {
        double v = 0;
        try {
            v = case_.DspD->GetSIValue();
        } catch (const EConvertError& e) {
            ReportBadNumber(case_.DspD, e.message());
            return;
        }
        if (v < 1) {
            RestoreFocus(case_.DspD);
            ShowMessage(this, MsgKind::Warning, QStringLiteral("Tubalon"),
                        QStringLiteral("不能小于1.0 !"));
            return;
        }
    }
    WrDExit();
}

void TFormTubalon::SBClearClick() {
    auto* f = qobject_cast<TEditD*>(QApplication::focusWidget());
    if (!f || f->window() != this) return;
    if (ShowMessage(this, MsgKind::Question, QStringLiteral("清除数据"),
                    QStringLiteral("你要清除数据:") + f->Caption() + "?",
                    QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes)
        f->setText(QString());
    SetColorOf(f, clWindow);
    f->setEnabled(true);
    f->setReadOnly(false);
    f->unsetCursor();
}

void TFormTubalon::SBHPDFClick() {
    auto* f = qobject_cast<TEditD*>(QApplication::focusWidget());
    if (!f || f->window() != this) return;
    if (hooks.help) hooks.help(f->Caption() + " ");
}

void TFormTubalon::MHPDFClick() {
    if (hooks.help) hooks.help(QStringLiteral("第一章 系统安装 "));
}

void TFormTubalon::MAboutClick() {
    ShowMessage(this, MsgKind::Information, QStringLiteral("欢迎使用"),
                QStringLiteral("Tubalon 套管式换热器计算\n版本 2011.10.01.10 版"));
}

void TFormTubalon::MUPMClick() {
    if (hooks.showParams) hooks.showParams();
}

void TFormTubalon::SBP3Click() {
    RunGuarded([this] {
        const QString r =
            PickFromList(PitchValues(), PitchNotes(), case_.DspD->text(),
                         QStringLiteral("螺距选择"), QStringLiteral("螺距和外管径之比"));
        if (r == case_.DspD->text()) return;
        case_.DspD->setText(r);
        DspDExit(); // checked and recalculated as leaving the field
    });
}

void TFormTubalon::SBP4Click(QWidget* sender) {
    TEditD* f = sender && sender->objectName() == "SBP5" ? case_.EtD : case_.ErD;
    bool chosen = false;
    RunGuarded([f, &chosen] {
        const QString current =
            f->text().isEmpty() ? QString() : QString::asprintf("%2.2f", f->GetSIValue() * 1000);
        const QString r =
            PickFromList(RoughnessValues(), RoughnessNotes(), current,
                         QStringLiteral("管道绝对粗糙度选择"), QStringLiteral("绝对粗糙度"));
        if (r.isEmpty() || r == current) return;
        long double mm = 0;
        if (!TryParseNumber(TrimText(r), mm))
            throw EConvertError(TrimText(r), f->Caption() + QStringLiteral("（mm）"));
        f->SetSIValue(static_cast<double>(mm) / 1000);
        chosen = true;
    });
    if (chosen) WrDExit(); // recalculated as leaving the field
}

void TFormTubalon::PCAllChange(int index) {
    QWidget* page = PCAll->widget(index);
    if (page == TSStruct && hooks.drawStructure) hooks.drawStructure();
    if (page == TSReport && hooks.makeReport) hooks.makeReport();
}

void TFormTubalon::CheckMyLabels() {
    for (TEditD* f : NumericFields()) {
        QLabel* l = f->MyLabel();
        QString text = f->objectName();
        if (l && BaseName(l->objectName()) == BaseName(f->objectName()))
            text += "---" + l->objectName();
        ShowMessage(this, MsgKind::Information, QStringLiteral("Tubalon"), text);
    }
}

// ---- Keys and focus -------------------------------------------------------------------

QWidget* TFormTubalon::ControlOf(QWidget* focus) const {
    for (QWidget* w = focus; w && w != this; w = w->parentWidget())
        if (tabChain_.contains(w)) return w;
    return focus;
}

static bool CanTakeTab(QWidget* w) {
    if (!w->isEnabled() || !w->isVisibleTo(w->window())) return false;
    if (qobject_cast<TRadioGroup*>(w)) return true;
    return (w->focusPolicy() & Qt::TabFocus) != 0;
}

void TFormTubalon::MoveFocus(QWidget* from, int step) {
    const int n = static_cast<int>(tabChain_.size());
    int i = static_cast<int>(tabChain_.indexOf(ControlOf(from)));
    if (i < 0) {
        focusNextPrevChild(step > 0);
        return;
    }
    for (int k = 1; k <= n; ++k) {
        QWidget* c = tabChain_[((i + step * k) % n + n) % n];
        if (!CanTakeTab(c)) continue;
        if (auto* g = qobject_cast<TRadioGroup*>(c)) {
            QList<QRadioButton*> bs = g->findChildren<QRadioButton*>();
            QWidget* target = bs.isEmpty() ? c : bs.value(std::max(0, g->ItemIndex()));
            target->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        } else {
            c->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        }
        return;
    }
}

bool TFormTubalon::eventFilter(QObject* o, QEvent* e) {
    if (e->type() != QEvent::KeyPress) return QMainWindow::eventFilter(o, e);
    auto* w = qobject_cast<QWidget*>(o);
    QWidget* focus = QApplication::focusWidget();
    if (!w || w != focus || w->window() != this) return QMainWindow::eventFilter(o, e);
    auto* ke = static_cast<QKeyEvent*>(e);
    if (ke->key() == Qt::Key_F1) {
        if (auto* f = qobject_cast<TEditD*>(w)) {
            if (hooks.help) hooks.help(f->Caption() + " ");
            return true;
        }
        return false;
    }
    if (qobject_cast<TRichEdit*>(w)) return false;
    switch (ke->key()) {
    case Qt::Key_Up:
        MoveFocus(w, -1);
        return false;
    case Qt::Key_Down:
        MoveFocus(w, +1);
        return false;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        MoveFocus(w, +1);
        return true;
    default:
        return false;
    }
}

bool TFormTubalon::event(QEvent* e) {
    if (e->type() == QEvent::StatusTip) {
        // Between status tips the panel shows the calculation's notice again.
        const QString tip = static_cast<QStatusTipEvent*>(e)->tip();
        MyStatusBar1->SetPanelText(0, tip.isEmpty() ? calcNotice_ : tip);
        return true;
    }
    return QMainWindow::event(e);
}

void TFormTubalon::closeEvent(QCloseEvent* e) {
    if (hooks.closeQuery && !hooks.closeQuery()) {
        e->ignore();
        return;
    }
    e->accept();
}

} // namespace tubalon
