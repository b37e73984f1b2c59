#pragma once

#if defined(SCRIVELPLATFORM_LIBRARY)
#define SCRIVELPLATFORM_EXPORT __attribute__((visibility("default")))
#else
#define SCRIVELPLATFORM_EXPORT
#endif
