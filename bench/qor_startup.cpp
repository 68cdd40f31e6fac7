// QOR's own start-up (application, Form1, FormCreate, event loop), ending once the first paint
// is on the display. The curve must have been painted by then.
#include "TApplication.h"
#include "TChart.h"
#include "Unit1.h"
#include "firstpaint.h"

int main(int argc, char **argv)
{
    return RunQor(argc, argv, [](TForm1 &form) {
        quitAfterFirstPaint(form, [&form] { return form.Chart1->paintCount() > 0; });
    });
}
