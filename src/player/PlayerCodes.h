#pragma once
// The numbers the player answers in, each family with its names. The values
// are those message boxes show and settings and tests rely on; they do not
// change.

// How positions are given (the player's SeekMode).
enum SeekModeValue : int {
    SEEKMODE_NONE = 0,  // the media cannot be positioned
    SEEKMODE_TIME = 1,  // 100-ns units
    SEEKMODE_FRAME = 2, // frame numbers
};

// What a skip or a frame step did.
enum StepResult : int {
    STEP_UNAVAILABLE = -2, // the renderer cannot step frames (FrameStep)
    STEP_IMPOSSIBLE = -1,  // the media cannot be positioned, or has no frame time
    STEP_MOVED = 0,        // moved (a frame step completes with EC_STEP_COMPLETE)
    STEP_AT_LIMIT = 1,     // already at the end, or at the start or A going back
};

// The interlacing of the picture, from its format's flags.
enum InterlaceKind : int {
    INTERLACE_NOT_REPORTED = 0,
    INTERLACE_PROGRESSIVE = 1,
    INTERLACE_NONINTERLEAVED_BOB = 2,
    INTERLACE_INTERLEAVED_BOB = 3,
    INTERLACE_WEAVE = 4,
    INTERLACE_BOB_OR_WEAVE = 5,
    INTERLACE_OTHER = 6,
};

// Whether the windowless renderer is deinterlacing.
constexpr int DEINTERLACE_OFF = 0;
constexpr int DEINTERLACE_ON = 3;

// The codes of the player's failures, one per platform call that can fail.
// Each code's message is string DShowErrorStringId(code) (res/StringIds.h).
enum PlayerError : int {
    ERR_COINITIALIZE = 1001,
    ERR_CREATE_GRAPH = 1002,
    ERR_QUERY_MEDIA_CONTROL = 1003,
    ERR_RENDER_FILE = 1004,
    ERR_QUERY_BASIC_VIDEO = 1005,
    ERR_RUN = 1006,
    ERR_QUERY_MEDIA_EVENT = 1007,
    ERR_QUERY_VIDEO_WINDOW = 1008,
    ERR_PUT_OWNER = 1009,
    ERR_PUT_WINDOW_STYLE = 1010,
    ERR_SET_WINDOW_POSITION = 1011,
    ERR_SET_WINDOW_FOREGROUND = 1012, // raised by no operation
    ERR_PUT_VISIBLE = 1013,
    ERR_GET_VIDEO_HEIGHT = 1014,
    ERR_GET_VIDEO_WIDTH = 1015,
    ERR_GET_ASPECT_RATIO = 1016,
    ERR_STOP = 1017,
    ERR_SET_POSITIONS = 1018,
    ERR_SET_TIME_FORMAT = 1019,
    ERR_GET_TIME_FORMAT = 1020,
    ERR_CONVERT_TIME_FORMAT = 1021, // raised by no operation
    ERR_GET_POSITIONS = 1022,
    ERR_QUERY_MEDIA_SEEKING = 1023,
    ERR_QUERY_BASIC_AUDIO = 1024,
    ERR_PUT_VOLUME = 1025,
    ERR_PAUSE = 1026,
    ERR_ADD_VMR9 = 1027,        // raised by no operation
    ERR_RENDER_TO_VMR9 = 1028,  // raised by no operation
    ERR_GET_NATIVE_SIZE = 1029,
    ERR_REPAINT = 1030,
    ERR_SET_VIDEO_POSITION = 1031,
    ERR_CREATE_ASF_READER = 1032, // raised by no operation
    ERR_GET_DURATION = 1033,
    ERR_FORMAT_NOT_SUPPORTED = 1034,
    ERR_SET_ASPECT_MODE = 1035,
    ERR_GET_CURRENT_IMAGE = 1036,
    ERR_ENUM_PINS = 1037,
    ERR_CONNECTION_MEDIA_TYPE = 1038,
    ERR_GET_CAPABILITIES = 1039,
    ERR_GET_STATE = 1040,
    ERR_WAIT_FOR_COMPLETION = 1041, // raised by no operation
    ERR_STEP = 1042,
    ERR_GET_STOP_POSITION = 1043,
    ERR_GET_CURRENT_POSITION = 1044,
    ERR_SET_DESTINATION = 1045,
    ERR_SET_DEFAULT_DESTINATION = 1046,
    ERR_PUT_MESSAGE_DRAIN = 1047,
    ERR_QUERY_OBJECT_WITH_SITE = 1048,
    ERR_SET_SITE = 1049,
};
