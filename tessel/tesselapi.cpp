// The exported C interface. Null handles and out-of-range ids give a defined,
// harmless answer: nothing happens, or a zero, null or -1 comes back.

#include "tessel/tessel.h"

#include "tessel/filterrule.h"
#include "tessel/fractionrule.h"
#include "tessel/hpairrule.h"
#include "tessel/identityrule.h"
#include "tessel/integralrule.h"
#include "tessel/limitrule.h"
#include "tessel/matcherrule.h"
#include "tessel/operatorrule.h"
#include "tessel/parenthesisrule.h"
#include "tessel/parser.h"
#include "tessel/partialfractionrule.h"
#include "tessel/recognizerobject.h"
#include "tessel/recognizerrule.h"
#include "tessel/sigmarule.h"
#include "tessel/sqrtrule.h"
#include "tessel/subscriptrule.h"
#include "tessel/sumrule.h"
#include "tessel/superscriptrule.h"

#include <new>

using namespace tessel;

namespace {

std::string labelBuffer;

template <typename R, typename... Args>
void addRule(Parser *parser, int lhs, Args... args)
{
    if (parser && parser->isSymbol(lhs))
        parser->addRuleToSymbol(lhs, std::make_unique<R>(args...));
}

void addCandidate(Result *result, Region *region, const char *label, double cost, double y, double h,
                  int flags)
{
    // A finished result is never changed: composites of other results point into it.
    if (!result || !region || !result->isBeingParsed() || !result->accepts(cost))
        return;
    const RecognizerObject object(region, label ? label : "", cost, y, h, flags);
    result->insertCandidate(object, true);
}

template <typename F>
double field(const ParseObject *object, F read)
{
    return object ? read(*object) : 0.0;
}

}

extern "C" {

Parser *zkCreateTessel(void)
{
    return new (std::nothrow) Parser();
}

void zkTesselDestroy(Parser *parser)
{
    delete parser;
}

void zkTesselSetDxWeight(Parser *parser, double weight)
{
    if (parser)
        parser->weights().dx = weight;
}

void zkTesselSetY0Weight(Parser *parser, double weight)
{
    if (parser)
        parser->weights().y0 = weight;
}

void zkTesselSetHWeight(Parser *parser, double weight)
{
    if (parser)
        parser->weights().h = weight;
}

void zkTesselClear(Parser *parser)
{
    if (parser)
        parser->clear();
}

Result *zkTesselRun(Parser *parser)
{
    return parser ? parser->run() : nullptr;
}

void zkTesselAddStroke(Parser *parser, const float *x, int xStrideBytes, const float *y, int yStrideBytes,
                       int count)
{
    if (parser)
        parser->addStroke(Stroke(x, xStrideBytes, y, yStrideBytes, count));
}

int zkTesselCreateSymbol(Parser *parser)
{
    return parser ? parser->createSymbol() : -1;
}

void zkTesselSetStartSymbol(Parser *parser, int symbol)
{
    if (parser)
        parser->setStartSymbol(symbol);
}

void zkTesselAddRecognizerRule(Parser *parser, int lhs, RecognizerCallback callback, void *user)
{
    addRule<RecognizerRule>(parser, lhs, callback, user);
}

void zkTesselAddMatcherRule(Parser *parser, int lhs, const char *templateNames)
{
    addRule<MatcherRule>(parser, lhs, templateNames);
}

void zkTesselAddIdentityRule(Parser *parser, int lhs, int child)
{
    addRule<IdentityRule>(parser, lhs, child);
}

void zkTesselAddFilterRule(Parser *parser, int lhs, int child, const char *labels)
{
    addRule<FilterRule>(parser, lhs, child, labels);
}

void zkTesselAddHPairRule(Parser *parser, int lhs, int left, int right, CostCallback callback)
{
    addRule<HPairRule>(parser, lhs, left, right, callback);
}

void zkTesselAddSuperscriptRule(Parser *parser, int lhs, int base, int exponent, CostCallback callback)
{
    addRule<SuperscriptRule>(parser, lhs, base, exponent, callback);
}

void zkTesselAddSubscriptRule(Parser *parser, int lhs, int base, int subscript, CostCallback callback)
{
    addRule<SubscriptRule>(parser, lhs, base, subscript, callback);
}

void zkTesselAddSqrtRule(Parser *parser, int lhs, int radicalSign, int radicand, CostCallback callback)
{
    addRule<SqrtRule>(parser, lhs, radicalSign, radicand, callback);
}

void zkTesselAddSigmaRule(Parser *parser, int lhs, int a, int b, CostCallback callback)
{
    addRule<SigmaRule>(parser, lhs, a, b, callback);
}

void zkTesselAddLimitRule(Parser *parser, int lhs, int a, int b, CostCallback callback)
{
    addRule<LimitRule>(parser, lhs, a, b, callback);
}

void zkTesselAddFractionRule(Parser *parser, int lhs, int numerator, int bar, int denominator,
                             CostCallback callback)
{
    addRule<FractionRule>(parser, lhs, numerator, bar, denominator, callback);
}

void zkTesselAddPartialFractionRule(Parser *parser, int lhs, int a, int b, int c, CostCallback callback)
{
    addRule<PartialFractionRule>(parser, lhs, a, b, c, callback);
}

void zkTesselAddOperatorRule(Parser *parser, int lhs, int a, int b, int c, CostCallback callback)
{
    addRule<OperatorRule>(parser, lhs, a, b, c, callback);
}

void zkTesselAddParenthesisRule(Parser *parser, int lhs, int a, int b, int c, CostCallback callback)
{
    addRule<ParenthesisRule>(parser, lhs, a, b, c, callback);
}

void zkTesselAddSumRule(Parser *parser, int lhs, int a, int b, int c, CostCallback callback)
{
    addRule<SumRule>(parser, lhs, a, b, c, callback);
}

void zkTesselAddIntegralRule(Parser *parser, int lhs, int a, int b, int c, int d, CostCallback callback)
{
    addRule<IntegralRule>(parser, lhs, a, b, c, d, callback);
}

int zkTesselResultGetCandidateCount(const Result *result)
{
    return result ? result->count() : 0;
}

ParseObject *zkTesselResultGetCandidate(const Result *result, int i)
{
    if (!result || i < 0 || i >= result->count())
        return nullptr;
    return const_cast<ParseObject *>(&result->object(i));
}

void zkTesselResultAddCandidate(Result *result, Region *region, const char *label, double cost, double y,
                                double h)
{
    addCandidate(result, region, label, cost, y, h, ParseObject::HeightCounts | ParseObject::Baseline);
}

void zkTesselResultAddThinCenteredCandidate(Result *result, Region *region, const char *label, double cost,
                                            double y, double h)
{
    addCandidate(result, region, label, cost, y, h, ParseObject::CentreLine);
}

void zkTesselResultAddThinBaselineCandidate(Result *result, Region *region, const char *label, double cost,
                                            double y, double h)
{
    addCandidate(result, region, label, cost, y, h, ParseObject::Baseline);
}

void zkTesselResultAddStretchableCandidate(Result *result, Region *region, const char *label, double cost,
                                           double y, double h)
{
    addCandidate(result, region, label, cost, y, h, ParseObject::CentreLine | ParseObject::Stretchable);
}

void zkTesselResultAddShrinkableCandidate(Result *result, Region *region, const char *label, double cost,
                                          double y, double h)
{
    addCandidate(result, region, label, cost, y, h, ParseObject::CentreLine | ParseObject::Shrinkable);
}

const char *zkTesselObjectGetType(const ParseObject *object)
{
    return object ? object->typeName() : nullptr;
}

const char *zkTesselObjectGetLabel(const ParseObject *object)
{
    labelBuffer.clear();
    if (!object)
        return nullptr;
    object->appendLabel(labelBuffer);
    return labelBuffer.c_str();
}

double zkTesselObjectGetCost(const ParseObject *object)
{
    return field(object, [](const ParseObject &o) { return o.cost; });
}

double zkTesselObjectGetRelCost(const ParseObject *object)
{
    return field(object, [](const ParseObject &o) { return o.relCost(); });
}

double zkTesselObjectGetSW(const ParseObject *object)
{
    return field(object, [](const ParseObject &o) { return o.sw; });
}

double zkTesselObjectGetY(const ParseObject *object)
{
    return field(object, [](const ParseObject &o) { return o.y; });
}

double zkTesselObjectGetYW(const ParseObject *object)
{
    return field(object, [](const ParseObject &o) { return o.yw; });
}

double zkTesselObjectGetH(const ParseObject *object)
{
    return field(object, [](const ParseObject &o) { return o.h; });
}

double zkTesselObjectGetHW(const ParseObject *object)
{
    return field(object, [](const ParseObject &o) { return o.hw; });
}

Region *zkTesselObjectGetRegion(const ParseObject *object)
{
    return object ? const_cast<Region *>(object->region) : nullptr;
}

int zkTesselObjectGetChildCount(const ParseObject *object)
{
    return object ? object->childCount() : 0;
}

ParseObject *zkTesselObjectGetChild(const ParseObject *object, int i)
{
    return object ? const_cast<ParseObject *>(object->child(i)) : nullptr;
}

int zkTesselRegionGetStrokeCount(const Region *region)
{
    return region ? region->strokeCount() : 0;
}

int zkTesselRegionGetFirstStroke(const Region *region)
{
    return region ? region->firstStroke() : -1;
}

int zkTesselRegionGetNextStroke(const Region *region, int s)
{
    return region ? region->nextStroke(s) : -1;
}

void zkTesselRegionGetBoundingBox(const Region *region, double *x, double *y, double *w, double *h)
{
    if (!region)
        return;
    const Box &box = region->box();
    if (x)
        *x = box.minX;
    if (y)
        *y = box.minY;
    if (w)
        *w = box.width();
    if (h)
        *h = box.height();
}

}
