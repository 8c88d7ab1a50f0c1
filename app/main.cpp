// Korvex File Repair: the program entry.

#include "app/startup.h"

int main(int argc, char** argv)
{
    return olm::repair::runApplication(argc, argv);
}
