// The main window module: the window class TForm1 (its controls come from Unit1.ui), its
// handlers, and the program's one pair of curve parameters.
//
// A handler empties the chart's series, steps one parameter, relabels it and adds the 61
// samples of the new curve; the chart repaints once, after the handler returns. Two keys work
// anywhere in the window: the copy key (Ctrl+C) puts the curve on the clipboard, Home restores
// the chart's axes.
#pragma once

#include "ui_Unit1.h"

#include <QWidget>

#include <string_view>

class QLabel;
class TFastLineSeries;

class TForm1 : public QWidget, public Ui::TForm1
{
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

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
