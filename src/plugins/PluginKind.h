#pragma once

#include <array>

#include "app/Systems.h"

// The eight plug-in lists, by the kind of plug-in each holds: four PSX
// lists, then four N64 lists. The underlying numbers are the lists' indexes.
enum class PluginKind { GPU, SPU, CDR, PAD, GFX, SND, N64PAD, RSP };
constexpr int kPluginKinds = 8;

inline int ListIndex(PluginKind kind) { return static_cast<int>(kind); }
inline PluginKind KindAt(int list) { return static_cast<PluginKind>(list); }

// The two PSX pads whose plug-ins the PAD list shows, one at a time.
enum class Pad { One = 1, Two = 2 };

inline int PadNumber(Pad pad) { return static_cast<int>(pad); }
inline Pad OtherPad(Pad pad) { return pad == Pad::One ? Pad::Two : Pad::One; }

EmuSystem SystemOf(PluginKind kind);
// The four lists of a system, in list order.
const std::array<PluginKind, 4>& KindsOf(EmuSystem system);
// The list's place among its system's four (0..3).
int PlaceInSystem(PluginKind kind);
// The tag of a list: GPU, SPU, CDR, PAD, GFX, SND, PAD, RSP.
const char* TypeLabel(PluginKind kind);
// The small icon of a list's rows: 1 graphics, 2 sound, 3 CD-ROM,
// 4 controller, 5 RSP.
int IconOf(PluginKind kind);
// The PSX type code (1 GPU, 2 SPU, 3 CDR, 4 PAD) the PSX probe takes; 0 for
// an N64 list.
int PsxTypeCode(PluginKind kind);
