#pragma once
// The ids of the string table (StringTable.cpp): every text the program
// shows in a message box or a title. Stored nowhere, but the values are the
// table's own and stay as they are.

#include "player/PlayerCodes.h"

constexpr int IDS_APP_TITLE = 128; // "orv"

constexpr int IDS_UNKNOWN_ERROR = 62000;
constexpr int IDS_NO_ERROR = 62001; // shown by nothing
constexpr int IDS_NO_SAVE_FOLDER = 62101;
constexpr int IDS_SAVE_FOLDER_MISSING = 62102;
constexpr int IDS_SAVE_FOLDER_NEEDED = 62103;
constexpr int IDS_STILL_GRAB_FAILED = 62104;
constexpr int IDS_SAVE_THREAD_FAILED = 62105;
constexpr int IDS_STILL_NAME_FAILED = 62106;
constexpr int IDS_BMP_SAVE_FAILED = 62107;
constexpr int IDS_A_AFTER_B = 62108;
constexpr int IDS_B_BEFORE_A = 62109;
constexpr int IDS_VOLUME_DB_RESET = 62110;
constexpr int IDS_INIT_FAILED = 62111;
constexpr int IDS_FILE_IN_USE = 62112;
constexpr int IDS_PLAYLIST_FULL = 62113;
constexpr int IDS_LOCALE_FAILED = 62114;
constexpr int IDS_EXT_REGISTERED = 62115;
constexpr int IDS_EXT_LIMIT = 62116;
constexpr int IDS_RESTART_QUESTION = 62117;
constexpr int IDS_PRIMARY_ONLY = 62118;
constexpr int IDS_PLAYLIST_UNSAVED = 62119;
constexpr int IDS_SENDTO_REGISTER_FAILED = 62120;
constexpr int IDS_SENDTO_UNREGISTER_FAILED = 62121;
constexpr int IDS_NEXT_LOAD_NOTICE = 62122;
constexpr int IDS_FILTER_MAPPER_FAILED = 62123;
constexpr int IDS_ENUM_FILTERS_FAILED = 62124;
constexpr int IDS_DEV_ENUM_FAILED = 62125;
constexpr int IDS_LIST_LIMIT = 62126;
constexpr int IDS_PLAYLIST_SAVE_FAILED = 62127;
constexpr int IDS_JPEG_SAVE_FAILED = 62128;

// Playback broke down; also the base of the player's failure texts.
constexpr int IDS_DSHOW_UNKNOWN_ERROR = 62500;
// The text of a player failure: code 1001 has 62501, and so on.
constexpr int DShowErrorStringId(PlayerError code) { return IDS_DSHOW_UNKNOWN_ERROR + (code - 1000); }
