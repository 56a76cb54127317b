// The mathematical value functions. Angles are in degrees.
#include <cmath>
#include <cstdlib>

#include "engine/math_commands.h"

#include "engine/number.h"

namespace kav {

namespace {

constexpr double kRadiansPerDegree = 0.01745329251994;

// Each takes exactly one argument, checked by the table's count.
template <double (*F)(double)>
void unary(Call& c) {
    double x = 0;
    if (c.number(0, x)) c.result(F(x));
}

double sinDeg(double x) { return std::sin(x * kRadiansPerDegree); }
double cosDeg(double x) { return std::cos(x * kRadiansPerDegree); }
double tanDeg(double x) { return std::tan(x * kRadiansPerDegree); }
double atanDeg(double x) { return std::atan(x) / kRadiansPerDegree; }
double absInt(double x) { return std::fabs(static_cast<double>(toInt32(x))); }
double fix(double x) { return std::trunc(x); }
double arcSine(double x) { return std::asin(x); }
double arcCosine(double x) { return std::acos(x); }

void squareRoot(Call& c) {
    double x = 0;
    if (!c.number(0, x)) return;
    if (x < 0) return c.fail(Status::ParamInvalid, "sqrt");
    c.result(std::sqrt(x));
}

template <double (*F)(double)>
void arcDeg(Call& c) {
    double x = 0;
    if (!c.number(0, x)) return;
    if (x < -1 || x > 1) return c.fail(Status::ParamInvalid);
    c.result(F(x) / kRadiansPerDegree);
}

// The argument is evaluated and ignored.
void random100(Call& c) {
    double ignored = 0;
    if (c.number(0, ignored)) c.result(std::rand() % 100);
}

// The handlers of unary<F>, with their F.
struct Pure {
    Handler handler;
    PureFunction f;
};
constexpr Pure kPure[] = {
    {unary<sinDeg>, sinDeg}, {unary<cosDeg>, cosDeg}, {unary<tanDeg>, tanDeg},
    {unary<atanDeg>, atanDeg}, {unary<absInt>, absInt}, {unary<fix>, fix},
};

}  // namespace

PureFunction pureFunctionOf(Handler h) {
    for (const Pure& p : kPure)
        if (p.handler == h) return p.f;
    return nullptr;
}

namespace {

constexpr CommandEntry kEntries[] = {
    {"sin", 1, kValue, unary<sinDeg>},
    {"sqrt", 1, kValue, squareRoot},
    {"cos", 1, kValue, unary<cosDeg>},
    {"tan", 1, kValue, unary<tanDeg>},
    {"asin", 1, kValue, arcDeg<arcSine>},
    {"acos", 1, kValue, arcDeg<arcCosine>},
    {"atan", 1, kValue, unary<atanDeg>},
    {"abs", 1, kValue, unary<absInt>},
    {"fix", 1, kValue, unary<fix>},
    {"rand", 1, kValue, random100},
};

}  // namespace

extern constinit const CommandFamily kMathCommands{kEntries};

}  // namespace kav
