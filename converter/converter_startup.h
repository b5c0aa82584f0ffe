#pragma once
// The converter's part of opening the window, the same for every front end:
// the hexadecimal field's capitals, the float field's fixed limit, then the
// saved width button clicked, then the saved endianness button clicked. The
// clicks run the ordinary handlers, so they alone set the width, the limits,
// the float controls, every text and the alignment.
//
// ConverterState must be prepared first (ResetConverterState with the saved
// endianness) and the front end's fields installed.
void StartConverter(int widthButton, int endianButton);
