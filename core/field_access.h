#pragma once
// What the converter needs from the controls of a front end. The window
// shell implements it with the Win32 dialog's controls; the companion and the
// tests with an in-memory set of fields. The converter reaches the fields only
// through these operations and never includes a platform header.

struct FieldAccess {
    // Copies at most size - 1 characters of the field's text and a NUL into
    // buffer (size >= 1); returns the number of characters copied.
    int (*ReadText)(int field, char* buffer, int size);
    // Replaces the field's text. An edit field raises its change notification
    // synchronously, before this returns, as Win32 edit controls do.
    void (*WriteText)(int field, const char* text);
    // Check state of a check box (FieldSign).
    bool (*ReadCheck)(int field);
    // Sets a check box's state; raises no notification.
    void (*WriteCheck)(int field, bool checked);
    // Repaints the control before returning (its text colour follows the
    // field's error flag).
    void (*Repaint)(int field);
    // Enables or disables a control or label.
    void (*Enable)(int control, bool enable);
    // Limits the number of characters the user can type or paste.
    void (*LimitText)(int field, int limit);
    // Aligns the binary, decimal and hexadecimal fields' text to the left in
    // big-endian mode and to the right in little-endian mode.
    void (*AlignEntryFields)(bool bigEndian);
    // From now on, letters typed or pasted into the field show as capitals.
    void (*UppercaseLetters)(int field);
    // Clicks a button as the user would: an option button becomes the
    // checked one of its group, and the click's handler runs before this
    // returns.
    void (*ClickButton)(int button);
    // Shows or hides a control (the bit toggles above the width).
    void (*Show)(int control, bool show);
    // Whether the inspector pane shows: while it does not, its readings are
    // not computed (the front end refreshes it when it shows it again).
    bool (*InspectorShown)();
};

// Installs the front end's fields; every call below goes to them.
void UseFieldAccess(const FieldAccess* access);

int ReadFieldText(int field, char* buffer, int size);
void WriteFieldText(int field, const char* text);
bool ReadFieldCheck(int field);
void WriteFieldCheck(int field, bool checked);
void RepaintField(int field);
void EnableControl(int control, bool enable);
void LimitFieldText(int field, int limit);
void AlignEntryFields(bool bigEndian);
void UppercaseFieldLetters(int field);
void ClickFieldButton(int button);
void ShowControl(int control, bool show);
bool InspectorIsShown();
