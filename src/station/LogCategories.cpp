#include "station/LogCategories.h"

Q_LOGGING_CATEGORY(lcMain, "zunt.main")
Q_LOGGING_CATEGORY(lcKit, "zunt.kit")
Q_LOGGING_CATEGORY(lcAudio, "zunt.audio")
Q_LOGGING_CATEGORY(lcStages, "zunt.stages")
Q_LOGGING_CATEGORY(lcStation, "zunt.station")
