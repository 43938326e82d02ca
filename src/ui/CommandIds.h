#pragma once
// Command ids: the menu, the accelerators, the buttons of the main window and
// of the full-screen panel all carry these.

// The standard ids of the application framework the program was built on.
constexpr int ID_FILE_OPEN = 57601;
constexpr int ID_EDIT_COPY = 57634;
constexpr int ID_EDIT_CUT = 57635;
constexpr int ID_EDIT_PASTE = 57637;
constexpr int ID_EDIT_UNDO = 57643;
constexpr int ID_APP_ABOUT = 57664;
constexpr int ID_APP_EXIT = 57665;
constexpr int ID_HELP_FINDER = 57667;
constexpr int ID_CONTEXT_HELP = 57669;
constexpr int ID_HELP = 57670;
constexpr int ID_DEFAULT_HELP = 57671;
constexpr int ID_NEXT_PANE = 57680;
constexpr int ID_PREV_PANE = 57681;

constexpr int ID_PLAY_PAUSE = 32771;
constexpr int ID_STOP = 32772;
constexpr int ID_FRAME_BACK = 32773;
constexpr int ID_FRAME_FORWARD = 32774;
constexpr int ID_SAVE_STILL = 32775;
constexpr int ID_MUTE = 32776;
constexpr int ID_ASPECT_FIX = 32778;
constexpr int ID_FULL_SCREEN = 32779;
constexpr int ID_SIZE_50 = 32780;
constexpr int ID_SIZE_100 = 32781;
constexpr int ID_SIZE_200 = 32782;
constexpr int ID_REPEAT_NONE = 32783;
constexpr int ID_REPEAT_ALL = 32784;
constexpr int ID_REPEAT_RANDOM = 32785;
constexpr int ID_ACC_MULTI_BOOT = 32786;
constexpr int ID_CAPTURE_OPTIONS = 32787;
constexpr int ID_A_SET = 32790;
constexpr int ID_B_SET = 32791;
constexpr int ID_A_GO = 32792;
constexpr int ID_B_GO = 32793;
constexpr int ID_AB_START = 32794;
constexpr int ID_AB_END = 32795;
constexpr int ID_AB_CLEAR = 32796;
constexpr int ID_SKIP_FORWARD = 32797;
constexpr int ID_SKIP_BACK = 32798;
constexpr int ID_USE_VOL_DB = 32799;
constexpr int ID_RESET_VOL_DB = 32800;
constexpr int ID_EXT_SETTINGS = 32801;
constexpr int ID_ADD_FILES = 32802;
constexpr int ID_OPEN_PLAYLIST = 32803;
constexpr int ID_ONE_LOOP = 32804;
constexpr int ID_SAVE_PLAYLIST = 32805;
constexpr int ID_SAVE_PLAYLIST_AS = 32806;
constexpr int ID_PLAYLIST_WINDOW = 32807;
constexpr int ID_ACC_SAME_DATA = 32809;
constexpr int ID_PREV = 32810;
constexpr int ID_NEXT = 32811;
constexpr int ID_FIT_WINDOW = 32814;
constexpr int ID_ADD_FOLDER = 32816;
constexpr int ID_ADD_PLAYLIST = 32818;
constexpr int ID_OPEN_FOLDER = 32820;
constexpr int ID_ACC_SUB_FOLDER = 32822;
constexpr int ID_SENDTO_REGISTER = 32825;
constexpr int ID_SENDTO_UNREGISTER = 32826;
constexpr int ID_DSHOW_INFO = 32828;
constexpr int ID_MEDIA_INFO = 32830;
constexpr int ID_DISABLE_DEINTERLACE = 32832;
constexpr int ID_DISABLE_VMR9 = 32834;
constexpr int ID_BLACK_LIST = 32836;
constexpr int ID_FIRST_USE_LIST = 32838;

// Commands of the common player keys, the wheel and the media keys; no
// menu item shows them.
constexpr int ID_PLAY = 33101;
constexpr int ID_PAUSE = 33102;
constexpr int ID_SEEK_BACK = 33103;
constexpr int ID_SEEK_FORWARD = 33104;
constexpr int ID_VOLUME_UP = 33105;
constexpr int ID_VOLUME_DOWN = 33106;

// Control ids of the two bars.
constexpr int IDC_SEEKBAR = 32812;
constexpr int IDC_VOLUMEBAR = 32813;
