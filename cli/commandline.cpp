#include "commandline.h"

#include "crossover.h"
#include "display.h"
#include "messages.h"
#include "partslist.h"
#include "response.h"
#include "responseplot.h"
#include "savefile.h"
#include "standardvalues.h"

#include <QLocale>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

enum Status
{
    Success = 0,
    Failure = 1,
    UsageError = 2,
};

const char usage[] = R"(Употреба: brelkot
   или: brelkot --slope 6|12|18 [--woofer F,R] [--midrange F1,F2,R] [--tweeter F,R]
                [--series E6|E12|E24] [--parts | --response] [--plot FILE.svg]

Изчислява пасивни честотни филтри за трилентови озвучителни тела. Без
аргументи отваря прозорците на програмата; с --slope изчислява без прозорец
групите, дадени на командния ред, и извежда резултатите.

  --slope 6|12|18     стръмност на филтрите в dB на октава
  --woofer F,R        Ниски: честота на разделяне F в Hz, импеданс R в Ом
  --midrange F1,F2,R  Среди: долна F1 и горна F2 честота в Hz, импеданс R в Ом
  --tweeter F,R       Високи: честота на разделяне F в Hz, импеданс R в Ом
  --series E6|E12|E24 предлага стандартни стойности от реда E6, E12 или E24
  --parts             извежда вместо резултатите какво да се купи за двойка
                      тонколони (по реда E12, ако не е даден --series)
  --response          извежда вместо резултатите честотната характеристика
                      (с --series: на частите от реда)
  --plot FILE.svg     записва графика на честотната характеристика в SVG
                      (изчислението пунктирано, частите от реда E12 или от
                      --series плътно)
  -h, --help          показва този текст
  --version           показва версията на програмата

Всяка стойност е цяло число само от цифри, както в полетата на прозорците.
Всеки резултат е на отделен ред: група, означение, стойност и мерна единица,
разделени с табулация, например за brelkot --slope 6 --woofer 3000,8:
Ниски	L	0.42	mH

С --series след мерната единица идват още четири колони: най-близката
стандартна стойност, отклонението ѝ в проценти, най-добрата двойка стойности
(кондензаторите се свързват успоредно, бобините последователно) и нейното
отклонение; „-“, когато резултатът е извън обхвата от 0.01 до 1000. При равни
отклонения се взема по-голямата стойност. Например за
brelkot --slope 12 --midrange 500,5000,8 --series E12 първият ред е
Среди	C1	28.15	µF	27	−4.1 %	27 + 1.2	+0.2 %

С --parts всеки ред е една част: вид, стойност, мерна единица и брой, за
всеки резултат по-близкото от единичната стойност и двойката; кондензаторите
са първи, после бобините, всеки вид по стойност.

С --response първият ред назовава колоните: Hz, дадените групи и Сума;
следват 31 реда за терцоктавните честоти от 20 Hz до 20 kHz с нивото на
всяка група и на сумата в dB, ред Полярност с + или − за всяка група и по
един ред −3 dB за всяка група: честотата в Hz, при която нивото ѝ пада с
3 dB (половината мощност), „-“, където няма такава. Високоговорителите се
смятат за идеални, а първата група е свързана нормално; полярността на
другите е тази, при която сумата е най-равна.

Изходен код: 0 при успех; 1 когато резултатът е твърде голям, когато за
резултат няма стандартна стойност в списъка с части, когато графиката не
може да се запише, или когато няма графична среда за прозорците; 2 при
грешка в командния ред.
)";

// The options that fill the three groups of every window, each with the
// values it takes in the order of the group's inputs.
struct GroupOption
{
    Group group;
    std::string_view option;
    std::string_view values;
};

const std::array<GroupOption, 3> groupOptions = {{
    {Group::Woofer, "--woofer", "F,R"},
    {Group::Midrange, "--midrange", "F1,F2,R"},
    {Group::Tweeter, "--tweeter", "F,R"},
}};

struct Request
{
    std::optional<std::string_view> slope;
    std::array<std::optional<std::string_view>, groupOptions.size()> groupValues;
    std::optional<std::string_view> series;
    std::optional<std::string_view> plot;
    bool parts = false;
    bool response = false;
};

// Says what was wrong with the command line; ends the program with UsageError.
struct UsageProblem
{
    std::string what;
};

std::string quoted(std::string_view text)
{
    // A value of thousands of digits is named by its start.
    const std::size_t shown = 40;
    std::size_t end = text.size();
    if (end > shown) {
        end = shown;
        // Not inside a character of several bytes.
        while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            --end;
    }
    return "„" + std::string(text.substr(0, end)) + (end < text.size() ? "…" : "") + "“";
}

std::vector<std::string_view> split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    for (;;) {
        const std::size_t at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos)
            return parts;
        text.remove_prefix(at + 1);
    }
}

const Crossover& crossoverOf(std::string_view decibels)
{
    if (const std::optional<Slope> slope = slopeOfDecibels(decibels))
        return crossover(*slope);
    throw UsageProblem{"--slope трябва да е 6, 12 или 18, а не " + quoted(decibels)};
}

// Stores the values of one group into the inputs of that group, in their
// order, each checked as its entry box checks a text. Unlike the window's
// error-tolerant box, a number too large for a double is a mistake here too.
void fillGroup(const Crossover& crossover, const GroupOption& group, std::string_view text,
               Values& values)
{
    std::vector<const Input*> inputs;
    for (const Input& input : crossover.inputs) {
        if (input.group == group.group)
            inputs.push_back(&input);
    }
    const std::vector<std::string_view> texts = split(text, ',');
    if (texts.size() != inputs.size()) {
        throw UsageProblem{std::string(group.option) + " иска " + std::string(group.values) +
                           ", а не " + quoted(text)};
    }
    const std::string option(group.option);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const EntryResult entry = handleTextChanged(texts[i], false);
        switch (entry.action) {
        case EntryAction::Store:
            values.*inputs[i]->value = entry.value;
            break;
        case EntryAction::Ignore:
            throw UsageProblem{option + " " + quoted(text) + ": липсва стойност"};
        case EntryAction::Reject:
            throw UsageProblem{option + ": " + quoted(texts[i]) +
                               (CheckNumber(texts[i]) ? " не е цяло число само от цифри"
                                                      : " е твърде голямо число")};
        }
    }
}

std::optional<Series> seriesOf(const Request& request)
{
    if (!request.series)
        return request.parts ? std::optional(Series::E12) : std::nullopt;
    if (const std::optional<Series> series = seriesOfName(*request.series))
        return series;
    throw UsageProblem{"--series трябва да е E6, E12 или E24, а не " + quoted(*request.series)};
}

std::optional<std::string_view>* optionTarget(Request& request, std::string_view name)
{
    if (name == "--slope")
        return &request.slope;
    if (name == "--series")
        return &request.series;
    if (name == "--plot")
        return &request.plot;
    for (std::size_t i = 0; i < groupOptions.size(); ++i) {
        if (name == groupOptions[i].option)
            return &request.groupValues[i];
    }
    return nullptr;
}

// The options that take no value.
bool* flagTarget(Request& request, std::string_view name)
{
    if (name == "--parts")
        return &request.parts;
    if (name == "--response")
        return &request.response;
    return nullptr;
}

void write(std::FILE* stream, std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stream);
}

std::string_view partName(Component kind)
{
    return kind == Component::Capacitor ? "кондензатор" : "бобина";
}

// The response of the groups the calculation gave, as --response prints it.
std::string responseLines(const Crossover& crossover, const Values& values,
                          const Calculation& calculation, std::optional<Series> series,
                          std::string_view separator, std::vector<std::size_t>& unsuggested)
{
    ResponseValues taken = responseValues(crossover, values, calculation, series, unsuggested);
    if (taken.groups.empty())
        return {};
    const Response response(crossover, std::move(taken.groups), std::move(taken.values), values);
    const std::vector<bool> inverted = choosePolarity(response);
    std::string lines = "Hz";
    for (Group group : response.groups())
        lines += '\t' + std::string(caption(group));
    lines += "\tСума\n";
    for (double frequency : thirdOctaves) {
        lines += numberText(frequency, separator);
        for (std::size_t i = 0; i < response.groups().size(); ++i)
            lines += '\t' + oneDecimalText(level(response.transfer(i, frequency)), separator);
        lines += '\t' + oneDecimalText(level(response.sum(inverted, frequency)), separator) + '\n';
    }
    lines += "Полярност";
    for (bool groupInverted : inverted)
        lines += groupInverted ? "\t−" : "\t+";
    lines += '\n';
    for (std::size_t i = 0; i < response.groups().size(); ++i) {
        lines += "−3 dB\t" + std::string(caption(response.groups()[i]));
        for (const std::optional<int>& point : minus3dBPoints(response, i))
            lines += '\t' + (point ? std::to_string(*point) : "-");
        lines += '\n';
    }
    return lines;
}

std::string partsLines(const Crossover& crossover, const Calculation& calculation, Series series,
                       std::string_view separator, std::vector<std::size_t>& unsuggested)
{
    std::string lines;
    for (const PartToOrder& part : partsToOrder(crossover, calculation, series, unsuggested)) {
        lines += std::string(partName(part.kind)) + '\t' + valueText(part.thousandths, separator) +
                 '\t' + std::string(unit(part.kind)) + '\t' + std::to_string(part.count) + '\n';
    }
    return lines;
}

// Writes every result the window would show, captioned as the window
// captions it, or the parts to buy for them, or their response; and the
// plot when asked. Returns the exit status.
int calculate(const Request& request)
{
    const Crossover& crossover = crossoverOf(*request.slope);
    const std::optional<Series> series = seriesOf(request);
    Values values;
    for (std::size_t i = 0; i < groupOptions.size(); ++i) {
        if (request.groupValues[i])
            fillGroup(crossover, groupOptions[i], *request.groupValues[i], values);
    }
    if ((request.response || request.plot) &&
        std::none_of(request.groupValues.begin(), request.groupValues.end(),
                     [](const auto& given) { return given.has_value(); }))
        throw UsageProblem{"--response и --plot искат поне една група: --woofer, --midrange или "
                           "--tweeter"};
    const QByteArray localeSeparator = QLocale().decimalPoint().toUtf8();
    const std::string_view separator(localeSeparator.data(), std::size_t(localeSeparator.size()));
    const Calculation calculation = crossover.calculate(values, separator);

    std::vector<std::size_t> unsuggested;
    if (request.parts)
        write(stdout, partsLines(crossover, calculation, *series, separator, unsuggested));
    else if (request.response)
        write(stdout,
              responseLines(crossover, values, calculation, series, separator, unsuggested));
    else
        write(stdout, resultLines(crossover, calculation, series, separator));
    if (std::fflush(stdout) != 0) {
        write(stderr, "brelkot: резултатите не могат да се запишат: " +
                          systemErrorText({errno, std::generic_category()}) + '\n');
        return Failure;
    }

    int status = Success;
    if (request.plot) {
        const ResponsePlot plot =
            responsePlot(crossover, values, calculation, series.value_or(Series::E12), unsuggested);
        const std::string path(*request.plot);
        if (const std::optional<std::string> problem =
                replaceFile(path, svgDocument(responseDrawing(plot, plotWidth, plotHeight)))) {
            write(stderr,
                  "brelkot: графиката не може да се запише в „" + path + "“: " + *problem + '\n');
            status = Failure;
        }
    }
    // Each result once, in the window's order, whichever output missed it.
    std::sort(unsuggested.begin(), unsuggested.end());
    unsuggested.erase(std::unique(unsuggested.begin(), unsuggested.end()), unsuggested.end());
    if (!unsuggested.empty()) {
        std::string names;
        for (std::size_t place : unsuggested) {
            const Result& result = crossover.results[place];
            names += (names.empty() ? "" : ", ") + std::string(caption(result.group)) + ' ' +
                     std::string(result.label);
        }
        write(stderr, "brelkot: няма стандартни стойности от " +
                          valueText(smallestSuggested, separator) + " до " +
                          valueText(largestSuggested, separator) + " за " + names + '\n');
        status = Failure;
    }
    if (calculation.overflowed) {
        write(stderr, "brelkot: " + std::string(resultTooLargeMessage) + '\n');
        return Failure;
    }
    return status;
}

int run(int argc, char* argv[])
{
    Request request;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "-h" || argument == "--help") {
            write(stdout, usage);
            return Success;
        }
        if (argument == "--version") {
            write(stdout, "brelkot " BRELKOT_VERSION "\n");
            return Success;
        }
        const std::size_t equals = argument.starts_with("--") ? argument.find('=') : argument.npos;
        const std::string_view name = argument.substr(0, equals);
        if (bool* flag = flagTarget(request, name)) {
            if (equals != argument.npos)
                throw UsageProblem{"опцията " + std::string(name) + " не приема стойност"};
            if (*flag)
                throw UsageProblem{"опцията " + std::string(name) + " е дадена повече от веднъж"};
            *flag = true;
            continue;
        }
        std::optional<std::string_view>* target = optionTarget(request, name);
        if (!target) {
            throw UsageProblem{
                (argument.starts_with('-') ? "непозната опция " : "неочакван аргумент ") +
                quoted(name)};
        }
        if (*target)
            throw UsageProblem{"опцията " + std::string(name) + " е дадена повече от веднъж"};
        if (equals != argument.npos)
            *target = argument.substr(equals + 1);
        else if (i + 1 < argc && !std::string_view(argv[i + 1]).starts_with("--"))
            *target = argv[++i];
        else
            throw UsageProblem{"опцията " + std::string(name) + " иска стойност"};
    }
    if (!request.slope)
        throw UsageProblem{"липсва --slope"};
    if (request.parts && request.response)
        throw UsageProblem{"--parts и --response не може заедно: всяка извежда друго"};
    return calculate(request);
}

// Qt's own options for the windows, which a desktop may give: a session
// manager that restarts the program passes -session.
bool isQtOption(std::string_view argument)
{
    static constexpr std::string_view options[] = {
        "-platform", "-platformtheme", "-plugin",  "-display",         "-session",
        "-style",    "-stylesheet",    "-reverse", "-qwindowgeometry", "-qwindowtitle"};
    if (argument.starts_with("--"))
        argument.remove_prefix(1);
    return std::find(std::begin(options), std::end(options), argument) != std::end(options);
}

} // namespace

std::string commandLineFor(Slope slope, const Values& values, std::optional<Series> series)
{
    const Crossover& described = crossover(slope);
    std::string command = "brelkot --slope " + std::to_string(decibelsPerOctave(slope));
    for (const GroupOption& group : groupOptions) {
        if (!described.given(group.group, values))
            continue;
        char separator = ' ';
        command += ' ' + std::string(group.option);
        for (const Input& input : described.inputs) {
            if (input.group != group.group)
                continue;
            // Every value came from a string of digits, and the shortest
            // text of a whole double reads back as the same double.
            char digits[400];
            const auto end = std::to_chars(digits, digits + sizeof digits, values.*input.value,
                                           std::chars_format::fixed)
                                 .ptr;
            command += separator + std::string(digits, end);
            separator = ',';
        }
    }
    if (series)
        command += " --series " + std::string(name(*series));
    return command;
}

std::string resultLines(const Crossover& crossover, const Calculation& calculation,
                        std::optional<Series> series, std::string_view decimalSeparator)
{
    std::string lines;
    for (const ResultValue& value : calculation.results) {
        const Result& result = crossover.results[value.result];
        lines += std::string(caption(result.group)) + '\t' + std::string(result.label) + '\t' +
                 value.text + '\t' + std::string(result.unit());
        if (series) {
            if (const std::optional<Suggestion> s = suggest(value.value, *series)) {
                lines += '\t' + valueText(s->nearest, decimalSeparator) + '\t' +
                         deviationText(s->nearestDeviation, decimalSeparator) + '\t' +
                         pairText(*s, decimalSeparator) + '\t' +
                         deviationText(s->pairDeviation, decimalSeparator);
            } else {
                lines += "\t-\t-\t-\t-";
            }
        }
        lines += '\n';
    }
    return lines;
}

std::optional<int> runCommandLine(int argc, char* argv[])
{
    if (argc <= 1 || isQtOption(argv[1]))
        return std::nullopt;
    try {
        return run(argc, argv);
    } catch (const UsageProblem& problem) {
        write(stderr, "brelkot: " + problem.what + " (вижте brelkot --help)\n");
        return UsageError;
    }
}
