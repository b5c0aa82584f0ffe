#include "converter/pane_events.h"

#include "converter/inspector.h"
#include "converter/refresh_views.h"
#include "converter/value_history.h"
#include "core/converter_state.h"
#include "core/field_ids.h"
#include "views/float_neighbours.h"

bool OnBitToggle(int bit)
{
    if (bit < 0 || bit >= ConverterState.Width)
        return false;
    ConverterState.ValueRegister[bit / 8] ^= static_cast<uint8_t>(1 << (bit % 8));
    RefreshViews(FieldNone);
    RecordSettledValue();
    return true;
}

bool OnStepButton(int button)
{
    const FloatFormat* format = ChosenFormatOf(ConverterState.Width);
    if (!format || (button != ButtonStepNext && button != ButtonStepPrevious))
        return false;
    if (!StepFloat(*format, ConverterState.ValueRegister, button == ButtonStepNext))
        return false;
    RefreshViews(FieldNone);
    RecordSettledValue();
    return true;
}

bool OnChooseFormat(const FloatFormat* format)
{
    if (!ChooseFormat(format))
        return false;
    RefreshInspector();
    RecordSettledValue();
    return true;
}
