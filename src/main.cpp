#include "app/run.h"

int main(int, char**)
{
    run();
    return 0;
}
