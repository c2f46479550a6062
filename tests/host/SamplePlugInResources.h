// Resources of the sample plug-in (the resource compiler reads only the preprocessor's
// definitions).
#pragma once

#define IDR_SAMPLE_PLUGIN_REGISTRY 300
