#include "mainwindow/services.h"

namespace kv {

namespace {
MainWindowServices gNoWindow;
MainWindowServices* gHeadServices = &gNoWindow;
}  // namespace

MainWindowServices& Head() { return *gHeadServices; }
void SetHead(MainWindowServices* head) { gHeadServices = head ? head : &gNoWindow; }

}  // namespace kv
