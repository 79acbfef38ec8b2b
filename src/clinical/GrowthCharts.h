#pragma once

#include <QString>

namespace nidora::clinical {

// What one of the patient form's growth charts draws: the reference curves of TABCRECIMIENTO
// for the months of its range, and the patient's own measures at his consultations (and at
// birth), against his age in years or in months.
struct GrowthChart {
    enum class Measure { Weight, Height, HeadCircumference };

    const char* button; // the form's button text
    const char* title; // the caption, and the saved picture's name
    int firstMonth; // the reference rows, and the stored ages of the consultations drawn
    int lastMonth;
    bool inMonths; // the x axis counts months; otherwise years
    // A consultation's days count in its age against the range (the first-year charts);
    // otherwise only its whole months do.
    bool countsDays;
    Measure measure;
    bool birthPoint;
    const char* xTitle;
    const char* yTitle;
    double yMin;
    double yMax;
    double xMin;
    double xMax;
    int xTicks;
    int yTicks;
};

// The seven charts, in the order of the form's buttons 200 to 206.
constexpr int kGrowthChartCount = 7;
const GrowthChart& growthChartOf(int chart);

// A consultation's age in the chart's unit (years of 12 months of 30 days, or months of 30
// days), and whether the chart draws a consultation of that stored age.
double consultationX(const GrowthChart& chart, int years, int months, int days);
bool drawsAge(const GrowthChart& chart, int years, int months, int days);

// Draws growth chart 0 to 6 (the patient form's buttons 200 to 206) of the patient in this
// thread's PACIENTES buffer as the form holds him, typed values not yet saved included: fills
// GRAFICO, sets the chart parameters and shows GraficoX1 on the calling thread until it is
// closed. A number out of range draws nothing.
void growthChart(int chart);

} // namespace nidora::clinical
