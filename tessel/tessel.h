#ifndef TESSEL_TESSEL_H
#define TESSEL_TESSEL_H

/* Flat C interface of the expression layout parser. Every object handed out
 * belongs to the library and stays valid until the next zkTesselClear or
 * zkTesselDestroy of its parser. A null pointer or a zero means none. */

#if defined(TESSEL_BUILD)
#define TESSEL_EXPORT __attribute__((visibility("default")))
#else
#define TESSEL_EXPORT
#endif

#ifdef __cplusplus
namespace tessel {
class Parser;
class Result;
class Region;
class ParseObject;
// Offers terminal candidates for a region through zkTesselResultAdd*Candidate; the answer is not used.
typedef int (*RecognizerCallback)(Result *target, Region *region, void *user);
// A composite's consistency cost, asked once its fields are set; replaces the built-in penalty.
typedef double (*CostCallback)(ParseObject *object);
}
#define TESSEL_NS tessel::
extern "C" {
#else
typedef struct Parser Parser;
typedef struct Result Result;
typedef struct Region Region;
typedef struct ParseObject ParseObject;
typedef int (*RecognizerCallback)(Result *target, Region *region, void *user);
typedef double (*CostCallback)(ParseObject *object);
#define TESSEL_NS
#endif

TESSEL_EXPORT TESSEL_NS Parser *zkCreateTessel(void);
TESSEL_EXPORT void zkTesselDestroy(TESSEL_NS Parser *parser);
TESSEL_EXPORT void zkTesselSetDxWeight(TESSEL_NS Parser *parser, double weight);
TESSEL_EXPORT void zkTesselSetY0Weight(TESSEL_NS Parser *parser, double weight);
TESSEL_EXPORT void zkTesselSetHWeight(TESSEL_NS Parser *parser, double weight);
TESSEL_EXPORT void zkTesselClear(TESSEL_NS Parser *parser);
TESSEL_EXPORT TESSEL_NS Result *zkTesselRun(TESSEL_NS Parser *parser);
TESSEL_EXPORT void zkTesselAddStroke(TESSEL_NS Parser *parser, const float *x, int xStrideBytes,
                                     const float *y, int yStrideBytes, int count);

TESSEL_EXPORT int zkTesselCreateSymbol(TESSEL_NS Parser *parser);
TESSEL_EXPORT void zkTesselSetStartSymbol(TESSEL_NS Parser *parser, int symbol);
TESSEL_EXPORT void zkTesselAddRecognizerRule(TESSEL_NS Parser *parser, int lhs,
                                             TESSEL_NS RecognizerCallback callback, void *user);
TESSEL_EXPORT void zkTesselAddMatcherRule(TESSEL_NS Parser *parser, int lhs, const char *templateNames);
TESSEL_EXPORT void zkTesselAddIdentityRule(TESSEL_NS Parser *parser, int lhs, int child);
TESSEL_EXPORT void zkTesselAddFilterRule(TESSEL_NS Parser *parser, int lhs, int child, const char *labels);
TESSEL_EXPORT void zkTesselAddHPairRule(TESSEL_NS Parser *parser, int lhs, int left, int right,
                                        TESSEL_NS CostCallback callback);
TESSEL_EXPORT void zkTesselAddSuperscriptRule(TESSEL_NS Parser *parser, int lhs, int base, int exponent,
                                              TESSEL_NS CostCallback callback);
TESSEL_EXPORT void zkTesselAddSubscriptRule(TESSEL_NS Parser *parser, int lhs, int base, int subscript,
                                            TESSEL_NS CostCallback callback);
TESSEL_EXPORT void zkTesselAddSqrtRule(TESSEL_NS Parser *parser, int lhs, int radicalSign, int radicand,
                                       TESSEL_NS CostCallback callback);
TESSEL_EXPORT void zkTesselAddSigmaRule(TESSEL_NS Parser *parser, int lhs, int a, int b,
                                        TESSEL_NS CostCallback callback);
TESSEL_EXPORT void zkTesselAddLimitRule(TESSEL_NS Parser *parser, int lhs, int a, int b,
                                        TESSEL_NS CostCallback callback);
TESSEL_EXPORT void zkTesselAddFractionRule(TESSEL_NS Parser *parser, int lhs, int numerator, int bar,
                                           int denominator, TESSEL_NS CostCallback callback);
TESSEL_EXPORT void zkTesselAddPartialFractionRule(TESSEL_NS Parser *parser, int lhs, int a, int b, int c,
                                                  TESSEL_NS CostCallback callback);
TESSEL_EXPORT void zkTesselAddOperatorRule(TESSEL_NS Parser *parser, int lhs, int a, int b, int c,
                                           TESSEL_NS CostCallback callback);
TESSEL_EXPORT void zkTesselAddParenthesisRule(TESSEL_NS Parser *parser, int lhs, int a, int b, int c,
                                              TESSEL_NS CostCallback callback);
TESSEL_EXPORT void zkTesselAddSumRule(TESSEL_NS Parser *parser, int lhs, int a, int b, int c,
                                      TESSEL_NS CostCallback callback);
TESSEL_EXPORT void zkTesselAddIntegralRule(TESSEL_NS Parser *parser, int lhs, int a, int b, int c, int d,
                                           TESSEL_NS CostCallback callback);

TESSEL_EXPORT int zkTesselResultGetCandidateCount(const TESSEL_NS Result *result);
TESSEL_EXPORT TESSEL_NS ParseObject *zkTesselResultGetCandidate(const TESSEL_NS Result *result, int i);
TESSEL_EXPORT void zkTesselResultAddCandidate(TESSEL_NS Result *result, TESSEL_NS Region *region,
                                              const char *label, double cost, double y, double h);
TESSEL_EXPORT void zkTesselResultAddThinCenteredCandidate(TESSEL_NS Result *result, TESSEL_NS Region *region,
                                                          const char *label, double cost, double y, double h);
TESSEL_EXPORT void zkTesselResultAddThinBaselineCandidate(TESSEL_NS Result *result, TESSEL_NS Region *region,
                                                          const char *label, double cost, double y, double h);
TESSEL_EXPORT void zkTesselResultAddStretchableCandidate(TESSEL_NS Result *result, TESSEL_NS Region *region,
                                                         const char *label, double cost, double y, double h);
TESSEL_EXPORT void zkTesselResultAddShrinkableCandidate(TESSEL_NS Result *result, TESSEL_NS Region *region,
                                                        const char *label, double cost, double y, double h);

TESSEL_EXPORT const char *zkTesselObjectGetType(const TESSEL_NS ParseObject *object);
TESSEL_EXPORT const char *zkTesselObjectGetLabel(const TESSEL_NS ParseObject *object);
TESSEL_EXPORT double zkTesselObjectGetCost(const TESSEL_NS ParseObject *object);
TESSEL_EXPORT double zkTesselObjectGetRelCost(const TESSEL_NS ParseObject *object);
TESSEL_EXPORT double zkTesselObjectGetSW(const TESSEL_NS ParseObject *object);
TESSEL_EXPORT double zkTesselObjectGetY(const TESSEL_NS ParseObject *object);
TESSEL_EXPORT double zkTesselObjectGetYW(const TESSEL_NS ParseObject *object);
TESSEL_EXPORT double zkTesselObjectGetH(const TESSEL_NS ParseObject *object);
TESSEL_EXPORT double zkTesselObjectGetHW(const TESSEL_NS ParseObject *object);
TESSEL_EXPORT TESSEL_NS Region *zkTesselObjectGetRegion(const TESSEL_NS ParseObject *object);
TESSEL_EXPORT int zkTesselObjectGetChildCount(const TESSEL_NS ParseObject *object);
TESSEL_EXPORT TESSEL_NS ParseObject *zkTesselObjectGetChild(const TESSEL_NS ParseObject *object, int i);

TESSEL_EXPORT int zkTesselRegionGetStrokeCount(const TESSEL_NS Region *region);
TESSEL_EXPORT int zkTesselRegionGetFirstStroke(const TESSEL_NS Region *region);
TESSEL_EXPORT int zkTesselRegionGetNextStroke(const TESSEL_NS Region *region, int s);
TESSEL_EXPORT void zkTesselRegionGetBoundingBox(const TESSEL_NS Region *region, double *x, double *y,
                                                double *w, double *h);

#ifdef __cplusplus
}
#endif
#undef TESSEL_NS

#endif
