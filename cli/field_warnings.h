#pragma once

// A word on standard error when text given to the binary or hexadecimal
// field would not be taken as it stands: characters that are not digits of
// the field's base (the field drops them, as the window's field would), or
// more characters than the field's limit at this width (it cuts them). One
// line, pointing at --bits; standard output and the exit status are the
// edit's as always. Any other field, or a text taken whole: nothing.
void WarnAboutFieldText(int field, const char* text);
