#include "converter/refresh_views.h"

#include "converter/field_routes.h"
#include "core/converter_state.h"

void RefreshViews(int sourceId)
{
    for (const FieldRoute& route : FieldRoutes) {
        if (route.FloatControl && !ConverterState.FloatFieldsEnabled)
            return;
        if (route.Field != sourceId)
            route.Render(route.Field);
    }
}
