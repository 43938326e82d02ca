#pragma once
// The few Windows types and result codes the program's logic is written in.

#include <cstdint>

using HRESULT = std::int32_t;
using DWORD = std::uint32_t;
using BOOL = int;
using LONGLONG = std::int64_t;
using REFERENCE_TIME = std::int64_t; // 100-ns units

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

constexpr int MAX_PATH = 260;

constexpr HRESULT MakeHr(std::uint32_t v) { return static_cast<HRESULT>(v); }

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = MakeHr(0x80004001);
constexpr HRESULT E_NOINTERFACE = MakeHr(0x80004002);
constexpr HRESULT E_POINTER = MakeHr(0x80004003);
constexpr HRESULT E_ABORT = MakeHr(0x80004004);
constexpr HRESULT E_FAIL = MakeHr(0x80004005);
constexpr HRESULT E_UNEXPECTED = MakeHr(0x8000FFFF);
constexpr HRESULT E_OUTOFMEMORY = MakeHr(0x8007000E);
constexpr HRESULT E_INVALIDARG = MakeHr(0x80070057);
constexpr HRESULT E_FILE_NOT_FOUND = MakeHr(0x80070002);  // HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)
constexpr HRESULT E_ACCESSDENIED = MakeHr(0x80070005);
constexpr HRESULT VFW_E_UNKNOWN_FILE_TYPE = MakeHr(0x80040240);
constexpr HRESULT VFW_E_INVALID_FILE_FORMAT = MakeHr(0x8004022F);
constexpr HRESULT VFW_E_UNSUPPORTED_STREAM = MakeHr(0x80040265);
constexpr HRESULT VFW_E_CANNOT_RENDER = MakeHr(0x80040218);
constexpr HRESULT VFW_E_WRONG_STATE = MakeHr(0x80040227);
constexpr HRESULT VFW_E_NOT_CONNECTED = MakeHr(0x80040209);
constexpr HRESULT VFW_E_NOT_FOUND = MakeHr(0x80040216);
constexpr HRESULT VFW_S_PARTIAL_RENDER = MakeHr(0x00040242);
constexpr HRESULT VFW_S_STATE_INTERMEDIATE = MakeHr(0x00040237);

constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
constexpr bool FAILED(HRESULT hr) { return hr < 0; }
