// The main window module: the window class TForm1 (its controls come from Unit1.ui), its
// handlers, and the program's one pair of curve parameters.
//
// A handler empties the chart's series, steps one parameter, relabels it and adds the 61
// samples of the new curve; the chart repaints once, after the handler returns. Two keys work
// anywhere in the window: the copy key (Ctrl+C) puts the curve on the clipboard, Home restores
// the chart's axes.
#pragma once

#include "TButton.h"
#include "TChart.h"
#include "TGroupBox.h"

#include <QFrame>
#include <QLabel>
#include <QWidget>

#include <string_view>

class TFastLineSeries;

class TForm1 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    // The controls, made from Unit1.ui when the window is created; the window owns them all.
    TGroupBox *GroupBox1 = nullptr;
    QFrame *Panel1 = nullptr;
    QLabel *lbP0 = nullptr;
    QLabel *lbP2 = nullptr;
    TChart *Chart1 = nullptr;
    TButton *sbP0minus = nullptr;
    TButton *sbP0plus = nullptr;
    TButton *sbP2plus = nullptr;
    TButton *sbP2minus = nullptr;
    TFastLineSeries *Series1 = nullptr;   // owned by Chart1

    void FormCreate(QObject *Sender);
    void sbP0minusClick(QObject *Sender);
    void sbP0plusClick(QObject *Sender);
    void sbP2plusClick(QObject *Sender);
    void sbP2minusClick(QObject *Sender);

private:
    void showParameter(QLabel *label, std::string_view name, int value);
    void addCurve(TFastLineSeries *series);
    void retune(void (*step)(int &), int &param, QLabel *label, std::string_view name);
};

namespace Unit1 {

// The curve parameters, 0 before the window is created and within 0..50 from then on.
extern int P0;
extern int P2;

// The main window, set when the application creates it.
extern TForm1 *Form1;

}  // namespace Unit1
