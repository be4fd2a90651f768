#include "app/recording.h"
#include "app/run.h"

int main(int argc, char** argv)
{
    startFromCommandLine(argc, argv);
    run();
    return 0;
}
