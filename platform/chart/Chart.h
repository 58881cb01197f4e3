#pragma once
// The chart model: one series of points (value, label, colour) drawn either as
// 3D bars or as a pie, with a title, a foot text, a legend and axis titles.
// Plain data read by the painter of the backend; a window changes it through
// the setters, which tell the listener (the backend's chart view) to repaint.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace chart {

enum class SeriesKind { Bar, Pie };

struct TextStyle {
    std::string family = "Verdana";
    double size = 10; // points
    bool bold = false;
    std::uint32_t color = 0xFF000000; // 0xAARRGGBB
    bool operator==(const TextStyle&) const = default;
};

struct Caption {
    std::string text;
    TextStyle font;
    bool visible = true;
    bool operator==(const Caption&) const = default;
};

struct Point {
    double value = 0;
    std::string label;
    std::uint32_t color = 0xFF000000;
    bool operator==(const Point&) const = default;
};

enum class LegendPosition { Bottom, Top, Left, Right };

struct Legend {
    bool visible = true;
    LegendPosition position = LegendPosition::Right;
    std::string title;
    bool operator==(const Legend&) const = default;
};

class Chart {
public:
    // Series. The kind changes the drawing only: the points stay as they are.
    const std::string& SeriesName() const { return seriesName_; }
    void SetSeriesName(std::string name);
    SeriesKind Kind() const { return kind_; }
    void SetKind(SeriesKind kind);
    bool MarksVisible() const { return marks_; }
    void SetMarksVisible(bool on);
    const std::vector<Point>& Points() const { return points_; }
    void Clear();
    void Add(double value, std::string label, std::uint32_t color);

    // View.
    bool View3D() const { return view3D_; }
    void SetView3D(bool on);
    bool Orthogonal() const { return orthogonal_; } // orthogonal 3D projection
    void SetOrthogonal(bool on);

    // Texts.
    const Caption& Title() const { return title_; }
    void SetTitle(Caption c);
    const Caption& Foot() const { return foot_; }
    void SetFoot(Caption c);
    const Legend& GetLegend() const { return legend_; }
    void SetLegend(Legend l);
    const std::string& BottomAxisTitle() const { return bottomAxis_; }
    const std::string& LeftAxisTitle() const { return leftAxis_; }
    void SetAxisTitles(std::string bottom, std::string left);

    // Called after every change (the backend repaints); empty when headless.
    std::function<void()> onChanged;

private:
    void Changed() const;
    std::string seriesName_ = "Series1";
    SeriesKind kind_ = SeriesKind::Bar;
    bool marks_ = true;
    std::vector<Point> points_;
    bool view3D_ = true;
    bool orthogonal_ = true;
    Caption title_, foot_;
    Legend legend_;
    std::string bottomAxis_, leftAxis_;
};

// How the asked number of copies becomes print jobs. A printer that makes
// copies itself gets one job of all the copies; otherwise each copy is its own
// job of one copy. Never both (that would give copies x copies sheets).
// Nothing is printed for zero or fewer copies.
struct PrintPlan {
    int jobs = 0;
    int copiesPerJob = 0;
    bool operator==(const PrintPlan&) const = default;
};
PrintPlan PlanCopies(int askedCopies, bool printerMakesCopies);

// Where charts are printed (landscape): the Qt backend installs its own, the
// tests a headless one. A print with none installed is a fault of the
// program, never a silent success: it throws std::logic_error.
class Printer {
public:
    virtual ~Printer() = default;
    // One print job of `copies` copies, in landscape.
    virtual void PrintJob(const Chart& chart, int copies) = 0;
    // The jobs of one print request come between these two calls (a printer
    // that writes into a file keeps them all in it).
    virtual void BeginRequest() {}
    virtual void EndRequest() {}
};

// Installs a printer (nullptr: none) and returns the one it replaces.
Printer* SetPrinter(Printer* printer);
// The printer installed; throws std::logic_error when there is none.
Printer& GetPrinter();

// Prints the chart in the asked number of copies following planCopies.
void Print(const Chart& chart, int askedCopies, bool printerMakesCopies);

} // namespace chart
