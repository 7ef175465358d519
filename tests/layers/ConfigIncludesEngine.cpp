// Built with the configuration layer's include folders: the engine's header must not be found.
#include "config/SettingsKeys.h"
#include "engine/InternetTenaline.h"
