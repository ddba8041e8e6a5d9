#include "app/CommandTable.h"

#include "ui/CommandIds.h"

QString CommandInfo::StatusPrompt() const { return prompt.section(QLatin1Char('\n'), 0, 0); }

QString CommandInfo::ToolTip() const { return prompt.section(QLatin1Char('\n'), 1); }

namespace {

QKeySequence Key(QKeyCombination combination) { return QKeySequence(combination); }

QList<CommandInfo> BuildTable() {
    using K = Qt::Key;
    const auto ctrl = Qt::ControlModifier;
    const auto shift = Qt::ShiftModifier;
    const auto alt = Qt::AltModifier;
    return {
        {ID_PLACE_WIRE, "", "Places new wire\nPlace new wire", {}, true},
        {ID_DELETE_ELEMENT, "&Delete", "", {Key(K::Key_Delete)}},
        {ID_PLACE_SOURCE, "", "Places new source \nPlace new source", {}, true},
        {ID_GENERATE_INPUT_FILE,
         "",
         "Generate Input File for NEC2D \nGenerate Input File for NEC2D",
         {},
         true},
        {ID_SNAP_CONTROLS,
         "&Snap Controls",
         "Bring up Snap Control Dialog Box\nSnap Controls",
         {Key(ctrl | K::Key_G)},
         true},
        {ID_LAUNCH_NEC2D, "", "Launch NEC2d \n Launch NEC2d", {}, true},
        {ID_PROCESS_OUTPUT_DATA, "", "Process Output Data \n Process OutPut Data", {}, true},
        {ID_FLIP, "&Flip", "Flip Object\nFlip", {Key(ctrl | K::Key_F)}, true},
        {ID_ROTATE,
         "&Rotate",
         "Rotate the Element 90 degrees CCW\n Rotate",
         {Key(ctrl | K::Key_R)},
         true},
        {ID_ZOOM_IN,
         "Zoom &In",
         "Zoom In\nZoom In",
         {Key(ctrl | K::Key_Plus), Key(ctrl | K::Key_Equal)}},
        {ID_ZOOM_OUT, "Zoom &Out", "Zoom Out\nZoom Out", {Key(ctrl | K::Key_Minus)}},
        {ID_ZOOM_TO_FIT, "Zoom to &Fit", "Shows the whole design\nZoom to Fit", {}},
        {ID_ACTUAL_SIZE,
         "&Actual Size",
         "One pixel for one metre, the origin in the middle\nActual Size",
         {}},
        {ID_WIRE_TABLE,
         "&Wire Table...",
         "Lists the wires and sources of the design for typing their values\nWire Table",
         {}},
        {ID_GROUND_AND_HEIGHT,
         "&Ground and Height...",
         "Sets the ground under the design, its drawing plane and the height of its origin\n"
         "Ground and Height",
         {}},
        {ID_NORMAL_VIEW, "Normal View", "Returns To Normal Scale\nReturns To Normal Scale", {}},
        {ID_SLICE_XZ, "Slice X Z", "Slice in the X-Z Plane\nSlice in the X-Z Plane", {}},
        {ID_SLICE_YZ, "Slice Y Z", "Slice in the Y-Z Plane\nSlice in the Y-Z Plane", {}},
        {ID_SLICE_XY, "Slice X Y", "Slice in the X-Y Plane\nSlice in the X-Y Plane", {}},
        {ID_FULL_PATTERN,
         "View Full Pattern",
         "View Full Radiation Pattern\nView Full Radiation Pattern",
         {}},
        {ID_FILE_NEW, "&New", "Create a new document\nNew", {Key(ctrl | K::Key_N)}, true},
        {ID_FILE_OPEN, "&Open...", "Open an existing document\nOpen", {Key(ctrl | K::Key_O)}, true},
        {ID_FILE_CLOSE, "&Close", "Close the active document\nClose", {}},
        {ID_FILE_PRINT_SETUP,
         "P&rint Setup...",
         "Change the printer and printing options\nPrint Setup",
         {}},
        {ID_FILE_PRINT,
         "&Print...",
         "Print the active document\nPrint",
         {Key(ctrl | K::Key_P)},
         true},
        {ID_FILE_PRINT_DIRECT, "", "", {}},
        {ID_FILE_PRINT_PREVIEW, "Print Pre&view", "Display full pages\nPrint Preview", {}},
        {ID_EDIT_COPY,
         "&Copy",
         "Copy the selection and put it on the Clipboard\nCopy",
         {Key(ctrl | K::Key_C), Key(ctrl | K::Key_Insert)},
         true},
        {ID_EDIT_CUT,
         "Cu&t",
         "Cut the selection and put it on the Clipboard\nCut",
         {Key(ctrl | K::Key_X), Key(shift | K::Key_Delete)},
         true},
        {ID_EDIT_PASTE,
         "&Paste",
         "Insert Clipboard contents\nPaste",
         {Key(ctrl | K::Key_V), Key(shift | K::Key_Insert)},
         true},
        {ID_EDIT_REPEAT, "Repeat", "Repeat the last action\nRepeat", {}},
        {ID_EDIT_UNDO,
         "&Undo",
         "Undo the last action\nUndo",
         {Key(ctrl | K::Key_Z), Key(alt | K::Key_Backspace)}},
        {ID_EDIT_REDO,
         "Redo",
         "Redo the previously undone action\nRedo",
         {Key(ctrl | K::Key_Y), Key(ctrl | shift | K::Key_Z)}},
        {ID_WINDOW_NEW,
         "&New Window",
         "Open another window for the active document\nNew Window",
         {}},
        {ID_WINDOW_ARRANGE,
         "&Arrange Icons",
         "Arrange icons at the bottom of the window\nArrange Icons",
         {}},
        {ID_WINDOW_CASCADE, "&Cascade", "Arrange windows so they overlap\nCascade Windows", {}},
        {ID_WINDOW_TILE_HORZ,
         "&Tile",
         "Arrange windows as non-overlapping tiles\nTile Windows",
         {}},
        {ID_APP_ABOUT,
         "&About Quadrell...",
         "Display program information, version number and copyright\nAbout",
         {},
         true},
        {ID_APP_EXIT, "E&xit", "Quit the application; prompts to save documents\nExit", {}},
        {ID_HELP_FINDER, "&Help Topics", "List Help topics\nHelp Topics", {}},
        {ID_CONTEXT_HELP,
         "",
         "Display help for clicked on buttons, menus and windows\nHelp",
         {Key(shift | K::Key_F1)},
         true},
        {ID_HELP, "", "Display help for current task or command\nHelp", {Key(K::Key_F1)}},
        {ID_DEFAULT_HELP, "", "", {}},
        {ID_NEXT_PANE, "", "Switch to the next window pane\nNext Pane", {Key(K::Key_F6)}},
        {ID_PREV_PANE,
         "",
         "Switch back to the previous window pane\nPrevious Pane",
         {Key(shift | K::Key_F6)}},
        {ID_VIEW_TOOLBAR, "&Toolbar", "Show or hide the toolbar\nToggle ToolBar", {}},
        {ID_VIEW_STATUS_BAR, "&Status Bar", "Show or hide the status bar\nToggle StatusBar", {}},
    };
}

}  // namespace

const QList<CommandInfo>& CommandTable() {
    static const QList<CommandInfo> table = BuildTable();
    return table;
}

const CommandInfo* FindCommand(int id) {
    for (const CommandInfo& command : CommandTable()) {
        if (command.id == id) return &command;
    }
    return nullptr;
}

const QList<int>& ToolbarLayout() {
    static const QList<int> layout = {
        ID_FILE_NEW,
        ID_FILE_OPEN,
        0,
        ID_EDIT_CUT,
        ID_EDIT_COPY,
        ID_EDIT_PASTE,
        0,
        ID_FILE_PRINT,
        ID_APP_ABOUT,
        ID_CONTEXT_HELP,
        0,
        ID_PLACE_WIRE,
        ID_PLACE_SOURCE,
        ID_GENERATE_INPUT_FILE,
        ID_LAUNCH_NEC2D,
        ID_PROCESS_OUTPUT_DATA,
        0,
        ID_SNAP_CONTROLS,
        ID_ROTATE,
        ID_FLIP,
    };
    return layout;
}
