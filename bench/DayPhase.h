#pragma once
// The times of day the frame figures are kept apart by, read from the
// world's sun. Plain C++, no GL.

enum class DayPhase { noon, lateAfternoon, sunset, nightWithHeadlights, count, none = count };

constexpr int dayPhaseCount = static_cast<int>(DayPhase::count);

// sunAngle in radians: day from 0 to pi, night from pi to 2 pi; sunHeight
// sin(sunAngle) by day, 0 by night.
// noon: the sun at least 0.9 high. late afternoon: past noon, 0.35 to 0.6
// high. sunset: past noon, above the horizon and at most 0.2 high, the
// longest shadows. night with headlights: past sunset, the headlights on.
// Any other frame (morning, a night without headlights) is in none.
DayPhase dayPhaseOf(float sunAngle, float sunHeight, bool headlightsOn);

const char* dayPhaseName(DayPhase phase);      // "late afternoon", for the table
const char* dayPhaseJsonName(DayPhase phase);  // "late_afternoon"
