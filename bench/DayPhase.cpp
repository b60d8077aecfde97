#include "DayPhase.h"

#include "base/Pi.h"


DayPhase dayPhaseOf(float sunAngle, float sunHeight, bool headlightsOn) {
    if (sunAngle > pi) return headlightsOn ? DayPhase::nightWithHeadlights : DayPhase::none;
    if (sunHeight >= 0.9f) return DayPhase::noon;
    if (sunAngle <= pi / 2) return DayPhase::none;  // the morning
    if (sunHeight >= 0.35f && sunHeight <= 0.6f) return DayPhase::lateAfternoon;
    if (sunHeight > 0 && sunHeight <= 0.2f) return DayPhase::sunset;
    return DayPhase::none;
}

const char* dayPhaseName(DayPhase phase) {
    switch (phase) {
        case DayPhase::noon: return "noon";
        case DayPhase::lateAfternoon: return "late afternoon";
        case DayPhase::sunset: return "sunset";
        case DayPhase::nightWithHeadlights: return "night, headlights";
        default: return "other";
    }
}

const char* dayPhaseJsonName(DayPhase phase) {
    switch (phase) {
        case DayPhase::noon: return "noon";
        case DayPhase::lateAfternoon: return "late_afternoon";
        case DayPhase::sunset: return "sunset";
        case DayPhase::nightWithHeadlights: return "night_headlights";
        default: return "other";
    }
}
