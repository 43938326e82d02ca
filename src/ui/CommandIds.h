#pragma once
// Command ids: the menu, the accelerators, the buttons of the main window and
// of the full-screen panel all carry these.

constexpr int ID_PLAY_PAUSE = 32771;
constexpr int ID_STOP = 32772;
constexpr int ID_FRAME_BACK = 32773;
constexpr int ID_FRAME_FORWARD = 32774;
constexpr int ID_SAVE_STILL = 32775;
constexpr int ID_MUTE = 32776;
constexpr int ID_A_SET = 32790;
constexpr int ID_B_SET = 32791;
constexpr int ID_A_GO = 32792;
constexpr int ID_B_GO = 32793;
constexpr int ID_AB_START = 32794;
constexpr int ID_AB_END = 32795;
constexpr int ID_AB_CLEAR = 32796;
constexpr int ID_SKIP_FORWARD = 32797;
constexpr int ID_SKIP_BACK = 32798;
constexpr int ID_ONE_LOOP = 32804;
constexpr int ID_PREV = 32810;
constexpr int ID_NEXT = 32811;
constexpr int ID_FIT_WINDOW = 32814;

// Control ids of the two bars.
constexpr int IDC_SEEKBAR = 32812;
constexpr int IDC_VOLUMEBAR = 32813;
