#include "gui/mainwindow/application.h"

int main(int argc, char** argv) {
    return picprog::run_application(argc, argv);
}
