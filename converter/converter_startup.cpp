#include "converter/converter_startup.h"

#include "converter/field_events.h"
#include "core/field_access.h"
#include "core/field_ids.h"
#include "views/float_printer.h"

void StartConverter(int widthButton, int endianButton)
{
    UppercaseFieldLetters(FieldHex);
    LimitFieldText(FieldFloat, FloatTextBudget);
    ClickFieldButton(widthButton);
    ClickFieldButton(endianButton);
}
