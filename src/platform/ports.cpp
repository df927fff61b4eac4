#include "platform/ports.h"

namespace kv {

namespace {
SignCanvas gNoSignCanvas;
EditorCanvas gNoEditorCanvas;
StripCanvas gNoStripCanvas;
CommandState gNoCommandState;
DocumentWindow gNoDocumentWindow;
ListWindow gNoListWindow;
SignWindow gNoSignWindow;
EditorControls gNoEditorControls;

SignCanvas* gSignCanvas = &gNoSignCanvas;
EditorCanvas* gEditorCanvas = &gNoEditorCanvas;
StripCanvas* gStripCanvas = &gNoStripCanvas;
CommandState* gCommandState = &gNoCommandState;
DocumentWindow* gDocumentWindow = &gNoDocumentWindow;
ListWindow* gListWindow = &gNoListWindow;
SignWindow* gSignWindow = &gNoSignWindow;
EditorControls* gEditorControls = &gNoEditorControls;
}  // namespace

SignCanvas& SignPicturePort() { return *gSignCanvas; }
EditorCanvas& EditorPicturePort() { return *gEditorCanvas; }
StripCanvas& StripPort() { return *gStripCanvas; }
CommandState& CommandPort() { return *gCommandState; }
DocumentWindow& WindowPort() { return *gDocumentWindow; }
ListWindow& ListPort() { return *gListWindow; }
SignWindow& SignWindowPort() { return *gSignWindow; }
EditorControls& ControlsPort() { return *gEditorControls; }

void SetSignCanvas(SignCanvas* port) { gSignCanvas = port ? port : &gNoSignCanvas; }
void SetEditorCanvas(EditorCanvas* port) { gEditorCanvas = port ? port : &gNoEditorCanvas; }
void SetStripCanvas(StripCanvas* port) { gStripCanvas = port ? port : &gNoStripCanvas; }
void SetCommandState(CommandState* port) { gCommandState = port ? port : &gNoCommandState; }
void SetDocumentWindow(DocumentWindow* port) { gDocumentWindow = port ? port : &gNoDocumentWindow; }
void SetListWindow(ListWindow* port) { gListWindow = port ? port : &gNoListWindow; }
void SetSignWindow(SignWindow* port) { gSignWindow = port ? port : &gNoSignWindow; }
void SetEditorControls(EditorControls* port) { gEditorControls = port ? port : &gNoEditorControls; }

void ResetPorts() {
    SetSignCanvas(nullptr);
    SetEditorCanvas(nullptr);
    SetStripCanvas(nullptr);
    SetCommandState(nullptr);
    SetDocumentWindow(nullptr);
    SetListWindow(nullptr);
    SetSignWindow(nullptr);
    SetEditorControls(nullptr);
}

}  // namespace kv
