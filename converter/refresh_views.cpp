#include "converter/refresh_views.h"

#include "converter/field_routes.h"
#include "converter/inspector.h"
#include "core/converter_state.h"

namespace {

void RefreshFields(int sourceId)
{
    for (const FieldRoute& route : FieldRoutes) {
        if (route.FloatControl && !ConverterState.FloatFieldsEnabled)
            return;
        if (route.Field != sourceId)
            route.Render(route.Field);
    }
}

}  // namespace

void RefreshViews(int sourceId)
{
    RefreshFields(sourceId);
    RefreshInspector();
}
