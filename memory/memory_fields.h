#pragma once
// An in-memory front end: the dialog's controls as plain records, with every
// property of the window's controls that changes what the converter reads.
// A text write raises the field's change notification inside the write; a
// read is cut at the buffer size; a user's paste is cut at the field's text
// limit; the hexadecimal field shows letters as capitals; enabled states,
// check states and the entry alignment are kept. It starts up through the
// same converter start-up as the window, so the companion, the tests, the
// fuzzer and the benchmarks see exactly what the window shows.

// 1024 bytes per field: far above every text the converter writes into one
// (at most 80 characters) and every limit it sets, so a program's write is
// kept whole. The inspector's reading texts hold ReadingCapacity bytes.
constexpr int MemoryFieldCapacity = 1024;

// Clears every control (empty, enabled, unticked, no limit beyond the
// capacity, right-aligned entry fields) and installs these fields.
void InstallMemoryFields();

// Start-up as the window's: the converter reset for the saved endianness,
// then the converter's start-up (capitals in the hexadecimal field, the
// float field's limit, the width button clicked, the endianness button
// clicked). A width the converter does not offer starts at 32 bits.
void MemoryStartUp(int width, bool bigEndian);

// The user replaces a field's whole text (select all, then paste): the text
// is cut at the field's limit and the change notification is raised.
void MemoryUserReplace(int field, const char* text);

// The user selects a field's whole text and pastes text over it (WM_PASTE):
// into the binary or hexadecimal field a copied bit pattern, or digits of the
// field's base, go in as digits in the field's base (views/bits_text.h),
// then the field's limit cuts them as any paste; any other text is refused
// there: nothing changes and false is returned. Other fields take any text.
bool MemoryUserPaste(int field, const char* text);

// Shows or hides the inspector pane, as the window's "Inspector" item does
// (shown until this says otherwise, also across start-ups): hidden, its
// readings are not computed and its controls take no clicks.
void MemorySetInspectorShown(bool shown);

// Clicks of the inspector: a bit toggle (bit 0 to 79) or a step button.
// False, with nothing done, when the control is hidden or disabled or the
// converter refuses the click.
bool MemoryToggleBit(int bit);
bool MemoryClickStep(int button);

// A program writes a field's text (no limit applies, as with WM_SETTEXT, but
// capitals do); the change notification is raised as for any write.
void MemoryProgramWrite(int field, const char* text);

// The field loses the focus.
void MemoryLoseFocus(int field);

// Clicks: a width or endianness option button, or the sign check box (which
// toggles before its handler runs).
void MemoryClickButton(int button);
void MemoryClickSign();

const char* MemoryFieldText(int field);
int MemoryFieldLimit(int field);
bool MemoryControlEnabled(int control);
bool MemoryControlShown(int id);
bool MemoryControlChecked(int id);
bool MemorySignChecked();
int MemoryRepaintCount(int field);
// True when the binary, decimal and hexadecimal fields are right-aligned.
bool MemoryEntryRightAligned();
