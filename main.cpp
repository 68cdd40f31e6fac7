// QOR: plots a heating curve and lets the user tune its two parameters.
#include "TApplication.h"

int main(int argc, char **argv)
{
    return RunQor(argc, argv);
}
