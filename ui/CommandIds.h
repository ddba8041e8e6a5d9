#pragma once

// Command ids shared by the editor, the result windows and the shell. The
// values are the classic resource ids; menus, toolbar and keys are built from
// the command table in app/.
enum CommandId : int {
    ID_PLACE_WIRE = 32771,
    ID_DELETE_ELEMENT = 32773,
    ID_PLACE_SOURCE = 32779,
    ID_GENERATE_INPUT_FILE = 32780,
    ID_SNAP_CONTROLS = 32783,
    ID_LAUNCH_NEC2D = 32784,
    ID_PROCESS_OUTPUT_DATA = 32785,
    ID_FLIP = 32786,
    ID_ROTATE = 32787,
    ID_ZOOM_IN = 32791,
    ID_ZOOM_OUT = 32792,
    ID_NORMAL_VIEW = 32793,
    ID_SLICE_XZ = 32794,
    ID_SLICE_YZ = 32795,
    ID_SLICE_XY = 32796,
    ID_FULL_PATTERN = 32797,
    ID_ZOOM_TO_FIT = 32798,
    ID_ACTUAL_SIZE = 32799,
    ID_WIRE_TABLE = 32800,
    ID_GROUND_AND_HEIGHT = 32801,

    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_CLOSE = 57602,
    ID_FILE_SAVE = 57603,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_DIRECT = 57608,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_MRU_FILE1 = 57616,
    ID_FILE_MRU_FILE4 = 57619,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_REPEAT = 57640,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,
    ID_WINDOW_NEW = 57648,
    ID_WINDOW_ARRANGE = 57649,
    ID_WINDOW_CASCADE = 57650,
    ID_WINDOW_TILE_HORZ = 57651,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_HELP_FINDER = 57667,
    ID_CONTEXT_HELP = 57669,
    ID_HELP = 57670,
    ID_DEFAULT_HELP = 57671,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
};

// Status bar panes, counting the message pane as 0.
enum StatusPane : int {
    STATUS_PANE_MESSAGE = 0,
    STATUS_PANE_SNAP = 1,    // ID_INDICATOR_SNAP (101)
    STATUS_PANE_COORDS = 2,  // ID_INDICATOR_COORDS (102)
    STATUS_PANE_SCALE = 3,   // the editor's scale, "1 px/m"
    STATUS_PANE_GROUND = 4,  // the design's ground and plane, "Free space, horizontal"
    STATUS_PANE_CAPS = 5,
    STATUS_PANE_NUM = 6,
    STATUS_PANE_SCRL = 7,
};
