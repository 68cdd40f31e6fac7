#include "Unit1.h"
#include "ui_Unit1.h"

#include "TChart.h"
#include "TFastLineSeries.h"
#include "accessibility.h"
#include "curve.h"
#include "designfonts.h"

#include <QShortcut>

namespace Unit1 {
int P0 = 0;
int P2 = 0;
TForm1 *Form1 = nullptr;
}  // namespace Unit1

namespace {
// The sweep's working pair, overwritten by every sweep.
int Tul = 0;
int Tko = 0;
}  // namespace

using Unit1::P0;
using Unit1::P2;

TForm1::TForm1(QWidget *parent)
    : QWidget(parent)
{
    Ui::TForm1 layout;
    layout.setupUi(this);
    GroupBox1 = layout.GroupBox1;
    Panel1 = layout.Panel1;
    lbP0 = layout.lbP0;
    lbP2 = layout.lbP2;
    Chart1 = layout.Chart1;
    sbP0minus = layout.sbP0minus;
    sbP0plus = layout.sbP0plus;
    sbP2plus = layout.sbP2plus;
    sbP2minus = layout.sbP2minus;
    useDesignPixelFonts(this);
    move(192, 125);   // the designed position; Designer keeps only the size of a top-level form
    Series1 = Chart1->addSeries(std::make_unique<TFastLineSeries>());
    sbP0minus->setFocus();

    connect(sbP0minus, &QPushButton::clicked, this, [this] { sbP0minusClick(sbP0minus); });
    connect(sbP0plus, &QPushButton::clicked, this, [this] { sbP0plusClick(sbP0plus); });
    connect(sbP2plus, &QPushButton::clicked, this, [this] { sbP2plusClick(sbP2plus); });
    connect(sbP2minus, &QPushButton::clicked, this, [this] { sbP2minusClick(sbP2minus); });

    // Keys for the whole window, whichever button has the focus: copy the curve as a table and
    // a picture, and restore the axes after a zoom or pan as plotting programs do with Home.
    QList<QKeySequence> copyKeys = QKeySequence::keyBindings(QKeySequence::Copy);
    if (!copyKeys.contains(QKeySequence(Qt::CTRL | Qt::Key_C)))
        copyKeys.append(QKeySequence(Qt::CTRL | Qt::Key_C));
    auto *copy = new QShortcut(this);
    copy->setKeys(copyKeys);
    connect(copy, &QShortcut::activated, Chart1, &TChart::copyToClipboard);
    auto *restore = new QShortcut(QKeySequence(Qt::Key_Home), this);
    connect(restore, &QShortcut::activated, Chart1, &TChart::undoZoom);

    FormCreate(this);
}

TForm1::~TForm1()
{
    if (Unit1::Form1 == this)
        Unit1::Form1 = nullptr;
}

void TForm1::FormCreate(QObject *)
{
    Series1->setLinePenColor(chart::clRed);
    Series1->setLinePenWidth(3);
    P0 = curve::StartP0;
    P2 = curve::StartP2;
    showParameter(lbP0, "P0", P0);
    showParameter(lbP2, "P2", P2);
    addCurve(Series1);
}

void TForm1::sbP0minusClick(QObject *) { retune(curve::LowerParam, P0, lbP0, "P0"); }
void TForm1::sbP0plusClick(QObject *) { retune(curve::RaiseParam, P0, lbP0, "P0"); }
void TForm1::sbP2plusClick(QObject *) { retune(curve::RaiseParam, P2, lbP2, "P2"); }
void TForm1::sbP2minusClick(QObject *) { retune(curve::LowerParam, P2, lbP2, "P2"); }

void TForm1::retune(void (*step)(int &), int &param, QLabel *label, std::string_view name)
{
    TFastLineSeries *series = Chart1->series(0);
    series->clear();
    step(param);
    showParameter(label, name, param);
    addCurve(series);
    // said on every press, also at a bound where the value stays
    //: a screen reader's announcement after a press: the parameter and its new value, "P0 21"
    announce(this, tr("%1 %2").arg(QString::fromUtf8(name.data(), qsizetype(name.size()))).arg(param));
}

void TForm1::showParameter(QLabel *label, std::string_view name, int value)
{
    // The label fits itself to its text, its left edge staying where it is.
    label->setText(QString::fromStdString(curve::DisplayText(name, value)));
    label->resize(label->sizeHint());
}

void TForm1::addCurve(TFastLineSeries *series)
{
    curve::SweepCurve(P0, P2, [series](curve::CurveSample s) {
        Tul = s.Tul;
        Tko = s.Tko;
        series->addXY(Tko, Tul, QString(), chart::clBlack);
    });
}
