/*
 * zkengine.h - the C interface of the InkoraEngine handwriting recognition library
 * (libInkoraEngine.so). Both the library and the program's binding include this header.
 *
 * Conventions
 * - Engines and objects are 32-bit ids (zkId), 0 meaning none. Arguments that carry
 *   addresses (values, buffers, callbacks, user data) are pointer-sized.
 * - Objects are reference counted. Every call that hands out an object (zkCreateObject,
 *   zkLoadObject, zkMakeObject, zkAcquireObject, every operation documented as
 *   "new reference") gives the caller one reference, returned with zkReleaseObject.
 *   An object that a container keeps (an attached resource, a sample's ink) holds its own
 *   reference, so the caller may release its reference at once.
 * - Operations are reached through zkGetInterface(engine, number): the answer is a table of
 *   ZK_INTERFACE_SLOTS function pointers indexed by operation number; the caller casts the
 *   slot to the signature documented below. Every operation takes the engine first, then the
 *   object it works on. Slots of operations an interface does not define hold a function
 *   that does nothing and answers 0 (integer return).
 * - Any call with an unknown engine, an unknown object or an object of the wrong type does
 *   nothing and answers 0 / false / none. No call crashes on bad input.
 * - Text is UTF-8 without a terminating zero, passed as a zkText {bytes, count}.
 * - Calls with the same engine may come from several threads; each object is used by one
 *   thread at a time.
 */
#ifndef ZKENGINE_H
#define ZKENGINE_H

#include <stdint.h>
#ifndef __cplusplus
#include <stdbool.h>
#endif

#ifdef __cplusplus
extern "C" {
#endif

#if defined(ZK_BUILDING_ENGINE)
#define ZK_API __attribute__((visibility("default")))
#else
#define ZK_API
#endif

typedef uint32_t zkId;

/* The version the program passes to zkCreateEngine; the only one accepted. */
#define ZK_ENGINE_VERSION 0x04060000u

/* Number of operation slots in every interface table. */
#define ZK_INTERFACE_SLOTS 16

/* ---- Object types (zkCreateObject; zkGetType answers them) ---------------------------- */
#define ZK_TYPE_CALC_INK_INPUT 104u  /* ink input of the calculator: interfaces 154, 156    */
#define ZK_TYPE_INK_INPUT 108u       /* ink input: interface 160                             */
#define ZK_TYPE_CHARACTER 111u       /* character with labelled candidates: interface 166     */
#define ZK_TYPE_CALC_RECOGNIZER 302u /* recognizer, same as 303                              */
#define ZK_TYPE_RECOGNIZER 303u      /* recognizer: interfaces 152, 163, 164, 401             */
#define ZK_TYPE_LEXICON 315u         /* word list: interfaces 351, 153; attachable            */
#define ZK_TYPE_KNOWLEDGE 318u       /* extra knowledge: interface 352; attachable            */
#define ZK_TYPE_RESOURCE 320u        /* recognition resource (loaded only); attachable        */
#define ZK_TYPE_CHARSET 321u         /* character set (loaded only)                          */
#define ZK_TYPE_INK 165u             /* read-only ink of a training sample: interface 165     */
#define ZK_TYPE_RESULT 400u          /* result of a run: interface 354                        */
#define ZK_TYPE_CANDIDATES 355u      /* candidate iterator: interfaces 150, 355              */
#define ZK_TYPE_SEGMENTS 356u        /* segment iterator: interfaces 150, 356                */
#define ZK_TYPE_TRAINING_SET 1500u   /* labelled samples: interface 1520; attachable to 1503  */
#define ZK_TYPE_TRAINER 1503u        /* trainer: interfaces 152, 164, 402                     */

/* ---- Properties ------------------------------------------------------------------------ */
/* Type property (zkSetTypeProperty on type 0): the character set object (a zkId, 4 bytes).
   Candidates whose characters lie outside a set character set are dropped. The engine keeps
   its own reference. */
#define ZK_TYPE_PROPERTY_CHARSET 5u
/* Recognizer properties (zkSetProperty on 302/303). */
#define ZK_PROP_SPEED_QUALITY 0x12C0000u /* 1 byte, 0..255; accepted, no effect             */
#define ZK_PROP_LIMIT_CHARACTERS 0x12D0001u /* int32: candidates per character (level 2)     */
#define ZK_PROP_LIMIT_WORDS 0x12D0002u   /* int32: candidates per word (level 1)             */
#define ZK_PROP_LIMIT_TEXT 0x12D0003u    /* int32: candidates of the whole text (level 0)    */
/* Limits are clamped to 1..64; defaults 1 (text), 5 (words), 5 (characters). */

/* ---- Recognition unit kinds (interface 160 operation 2) ------------------------------- */
#define ZK_UNIT_BOXED 0x2000000u /* one character, written in a guide box                     */
#define ZK_UNIT_FREE 0x2000003u  /* free writing: lines, words, characters                     */

/* ---- Records ---------------------------------------------------------------------------- */
typedef struct zkText {
    const char *bytes; /* UTF-8, no terminating zero */
    uint32_t count;    /* bytes */
} zkText;

/* A buffer the engine fills. Asked with bytes == NULL, an operation stores the size it needs
   in count and answers it. Else it copies at most count bytes (adding a zero when room is
   left), stores the number copied in count and answers it. */
typedef struct zkBuffer {
    char *bytes;
    uint32_t count;
} zkBuffer;

/* Ink record: a run of ink over the units and components of the current input.
   A unit is a recognition unit started by 160/2 (units count from 0 after a clear); a
   component is the n-th entry (stroke, string or character) given since that unit started;
   a point is an index into that stroke's points. Entries given before the first unit belong
   to unit 0. Strings and characters have the points 0..1. */
typedef struct zkInkRecord {
    int16_t firstUnit;
    int16_t firstComponent;
    int16_t firstPoint;
    int16_t lastUnit;
    int16_t lastComponent;
    int16_t lastPoint;
} zkInkRecord;

/* Array of ink records, filled like a zkBuffer (records == NULL asks for the count). */
typedef struct zkInkRecords {
    zkInkRecord *records;
    uint32_t count;
} zkInkRecords;

/* Baseline of one text line of the last run: y = slope * x + intercept, in input
   coordinates; height is the line's letter height. */
typedef struct zkLineMetrics {
    float slope;
    float intercept;
    float height;
} zkLineMetrics;

/* Stream callbacks: read or write up to size bytes; answer the bytes done, -1 on error. */
typedef int32_t (*zkStreamFn)(void *buffer, int32_t size, void *userData);
/* Progress callback of a run: value of bound done; answer false to stop the run early. */
typedef bool (*zkProgressFn)(int32_t value, int32_t bound, void *context);
/* Generic slot type of an interface table. */
typedef void (*zkOperation)(void);

/* ---- The 20 entry points ---------------------------------------------------------------- */
/* 1. Creates an engine; creationData is opaque and may be NULL. 0 for another version. */
ZK_API zkId zkCreateEngine(uint32_t version, const void *creationData, uint32_t flags);
/* 2. Destroys an engine and every object still alive in it. */
ZK_API void zkDestroyEngine(zkId engine);
/* 3./4. Error code of the engine's last load (0 = none, 2 = bad or foreign data); a caller
   may set its own code. */
ZK_API int32_t zkGetError(zkId engine);
ZK_API void zkSetError(zkId engine, int32_t code);
/* 5. Table of ZK_INTERFACE_SLOTS operations, or NULL for an unknown engine or number. */
ZK_API const zkOperation *zkGetInterface(zkId engine, uint32_t interfaceNumber);
/* 6. Whether the object answers the interface. */
ZK_API int32_t zkImplements(zkId engine, zkId object, uint32_t interfaceNumber);
/* 7. Whether a version is the one this library implements. */
ZK_API int32_t zkIsCompatible(zkId engine, uint32_t version);
/* 8./9. Type properties; answer the bytes read or written, 0 when unknown. Reading the
   character set hands out a new reference to it (0 when none is set). */
ZK_API int32_t zkGetTypeProperty(zkId engine, uint32_t type, uint32_t property, void *value,
                                 uint32_t size);
ZK_API int32_t zkSetTypeProperty(zkId engine, uint32_t type, uint32_t property,
                                 const void *value, uint32_t size);
/* 10. New object of a creatable type (104 108 111 302 303 315 318 1500 1503); 0 otherwise. */
ZK_API zkId zkCreateObject(zkId engine, uint32_t type);
/* 11. As zkCreateObject; data and size are ignored. */
ZK_API zkId zkCreateObjectEx(zkId engine, uint32_t type, const void *data, uint32_t size);
/* 12. Loads one stored object (resource, character set, training set) from a stream. A
   truncated, damaged or foreign stream gives 0. */
ZK_API zkId zkLoadObject(zkId engine, zkStreamFn read, void *userData);
/* 13. As zkLoadObject, from size bytes in memory. */
ZK_API zkId zkMakeObject(zkId engine, const void *bytes, uint32_t size);
/* 14. Stores a resource, character set or training set; nonzero on success. */
ZK_API int32_t zkStoreObject(zkId engine, zkId object, zkStreamFn write, void *userData,
                             uint32_t flags);
/* 15. Adds a reference and answers the object (0 for an unknown one). */
ZK_API zkId zkAcquireObject(zkId engine, zkId object);
/* 16. Gives back one reference; the object dies with its last one. */
ZK_API void zkReleaseObject(zkId engine, zkId object);
/* 17. Whether two ids name the same live object. */
ZK_API int32_t zkIsSame(zkId engine, zkId a, zkId b);
/* 18. The object's type, 0 for an unknown object. */
ZK_API uint32_t zkGetType(zkId engine, zkId object);
/* 19./20. Object properties; answer the bytes read or written, 0 when refused. */
ZK_API int32_t zkGetProperty(zkId engine, zkId object, uint32_t property, void *value,
                             uint32_t size);
ZK_API int32_t zkSetProperty(zkId engine, zkId object, uint32_t property, const void *value,
                             uint32_t size);

/* ---- Optional extra symbols (not part of the 20; resolve them separately) -------------- */
/* Line metrics of the recognizer's last run, one record per line of free writing in text
   order: fills at most capacity records (out may be NULL) and answers the number of lines
   (0 before a run, after a stopped run, or for boxed writing). */
ZK_API int32_t zkGetLineMetrics(zkId engine, zkId recognizer, zkLineMetrics *out,
                                int32_t capacity);
/* Objects alive in all engines of the process (for leak checks). */
ZK_API int32_t zkLiveObjectCount(void);

/* ---- Interfaces and their operations ----------------------------------------------------
 * Signatures after the engine argument. "bool" answers are int32_t 0/1.
 *
 * 150 iterator (candidate and segment iterators)
 *   0 atEnd    int32_t (zkId iterator)                          nonzero when exhausted
 *   1 next     void    (zkId iterator)
 * 152 resources (recognizer 302/303 and trainer 1503)
 *   0 attach   int32_t (zkId target, zkId resource)             resource 320, 315 or 318;
 *                                                               a training set on a trainer
 *   1 detach   void    (zkId target, zkId resource)
 *   2 count    uint32_t(zkId target)
 *   3 get      zkId    (zkId target, uint32_t index)            new reference, 0 past end
 * 153 lexicon
 *   1 finish   int32_t (zkId lexicon, int32_t 0, int32_t 0)     words sorted; true
 * 154 calculator input
 *   0 reset    void    (zkId input, int32_t flags)              empties the input
 * 156 calculator input
 *   0 clear    void    (zkId input, int32_t flags)              empties the input
 *   9 stroke   void    (zkId input, const float *x, int32_t xStride, const float *y,
 *                       int32_t yStride, int32_t count)          as 160/13
 * 160 ink input (104 and 108)
 *   0 clear    void    (zkId input, int32_t flags)              no units, no entries
 *   2 unit     void    (zkId input, zkId kind)                  starts a unit (ZK_UNIT_*)
 *   4 string   void    (zkId input, int32_t 0, const zkText *text)  typed characters, one
 *                                                               entry (component)
 *   6 guide    void    (zkId input, float x, float y, float width, float height)
 *                                                               guide box of the current unit
 *   13 stroke  void    (zkId input, const float *x, int32_t xStride, const float *y,
 *                       int32_t yStride, int32_t count)         strides in bytes; one entry.
 *                                                               Non-finite points are dropped,
 *                                                               at most 4096 points are kept
 *   15 char    void    (zkId input, zkId character, float x, float y, float width,
 *                       float height)                           a known character, one entry
 * 163 recognizer
 *   1 bind     void    (zkId recognizer, zkId input)            the input read by runs
 * 164 run (recognizer or trainer)
 *   0 run      int32_t (zkId object, zkProgressFn progress, void *context)
 *              Recognizer: recognizes the bound input; false when stopped or unbound.
 *              Trainer: trains a user resource from the attached training sets; false when
 *              stopped, without samples or when training fails.
 * 165 ink (165)
 *   1 strokes  int32_t (zkId ink)
 *   2 points   int32_t (zkId ink, int32_t stroke)
 *   3 x        int32_t (zkId ink, int32_t stroke, float *out, int32_t capacity)
 *   4 y        int32_t (zkId ink, int32_t stroke, float *out, int32_t capacity)
 *              3 and 4 copy at most capacity coordinates and answer the number copied.
 * 166 character (111)
 *   1 add      void    (zkId character, int32_t 0, const zkText *label, float score)
 * 351 lexicon (315)
 *   0 add word int32_t (zkId lexicon, int32_t 0, const zkText *word)  false for empty text
 *                                                               or a finished lexicon
 * 352 extra knowledge (318)
 *   1 prepare  int32_t (zkId knowledge)
 *   4 entry    int32_t (zkId knowledge, int32_t 0, const zkText *entry)  false unless
 *                                                               prepared and not empty
 * 354 result (400)
 *   1 candidates zkId  (zkId result)                            new reference: iterator over
 *                                                               the text candidates
 * 355 candidate iterator (355)
 *   0 atEnd    int32_t (zkId iterator)
 *   1 next     void    (zkId iterator)
 *   2 label    int32_t (zkId iterator, int32_t 0, zkBuffer *label)  UTF-8 (see zkBuffer)
 *   3 score    float   (zkId iterator)                          in (0, 1], higher is better
 *   4 children zkId    (zkId iterator)                          new reference: segment
 *                                                               iterator; text candidates
 *                                                               hold words (spaces and line
 *                                                               breaks are words labelled
 *                                                               " " and "\n"), word
 *                                                               candidates hold characters
 * 356 segment iterator (356)
 *   0 atEnd    int32_t (zkId iterator)
 *   1 next     void    (zkId iterator)
 *   2 ink      int32_t (zkId iterator, zkInkRecords *records)  see zkInkRecords
 *   3 selected int32_t (zkId iterator)                          index of the first choice
 *   4 unit value float (zkId iterator)                          1.0
 *   5 candidates zkId  (zkId iterator)                          new reference
 * 401 recognizer
 *   0 result   zkId    (zkId recognizer)                        new reference; 0 before the
 *                                                               first complete run
 * 402 trainer
 *   0 trained  zkId    (zkId trainer)                           new reference: the user
 *                                                               resource of the last run, or 0
 * 1520 training set (1500)
 *   0 count    int32_t (zkId set)
 *   1 add      int32_t (zkId set, zkId input, int32_t 0, const zkText *label)  the input's
 *                                                               pen strokes become one sample;
 *                                                               false without ink or label
 *   2 remove   int32_t (zkId set, int64_t index)
 *   3 ink      zkId    (zkId set, int64_t index)                new reference (type 165)
 *   4 label    int32_t (zkId set, int64_t index, int32_t 0, zkBuffer *label)
 *
 * Stored objects (zkLoadObject, zkMakeObject, zkStoreObject)
 *   "ZKEO", format version 1, object type, payload size, payload, CRC-32 of the payload;
 *   integers are 32-bit little-endian. Loading checks every field, the checksum and the
 *   payload's own structure (including embedded models) and answers 0 on any mismatch.
 *   Stored types: 320 resources (a character model, embedded or named by its file path;
 *   gestures; a word list; the labels allowed), 321 character sets, 1500 training sets.
 *
 * Recognition
 * - Boxed units hold one character each: the result has one word per unit (no spaces).
 *   A unit's guide box is the size a full character would have there: ink much smaller
 *   than it reads as a dot ("." then ","), and it tells small letters from capitals where
 *   they differ in size only (c o s u v w x z). Training ignores guide boxes.
 * - Free units are split into lines (vertical position), words (horizontal gaps) and
 *   characters; between words the text holds a " " word, between lines a "\n" word.
 * - The resources attached decide what is recognised: character models (Latin or
 *   Japanese), gestures, calculator symbols, lexicons, user resources (trained; their
 *   candidates come first).
 */
enum {
    ZK_IF_ITERATOR = 150,
    ZK_IF_RESOURCES = 152,
    ZK_IF_LEXICON_FINISH = 153,
    ZK_IF_CALC_RESET = 154,
    ZK_IF_CALC_INPUT = 156,
    ZK_IF_INPUT = 160,
    ZK_IF_BIND = 163,
    ZK_IF_RUN = 164,
    ZK_IF_INK = 165,
    ZK_IF_CHARACTER = 166,
    ZK_IF_LEXICON = 351,
    ZK_IF_KNOWLEDGE = 352,
    ZK_IF_RESULT = 354,
    ZK_IF_CANDIDATES = 355,
    ZK_IF_SEGMENTS = 356,
    ZK_IF_RECOGNIZER_RESULT = 401,
    ZK_IF_TRAINED = 402,
    ZK_IF_TRAINING_SET = 1520
};

/* Operation signatures (after casting a table slot). */
typedef int32_t (*zkOpAtEnd)(zkId, zkId);
typedef void (*zkOpNext)(zkId, zkId);
typedef int32_t (*zkOpAttach)(zkId, zkId, zkId);
typedef void (*zkOpDetach)(zkId, zkId, zkId);
typedef uint32_t (*zkOpCount)(zkId, zkId);
typedef zkId (*zkOpGet)(zkId, zkId, uint32_t);
typedef int32_t (*zkOpFinish)(zkId, zkId, int32_t, int32_t);
typedef void (*zkOpClear)(zkId, zkId, int32_t);
typedef void (*zkOpStartUnit)(zkId, zkId, zkId);
typedef void (*zkOpAddString)(zkId, zkId, int32_t, const zkText *);
typedef void (*zkOpGuideBox)(zkId, zkId, float, float, float, float);
typedef void (*zkOpAddStroke)(zkId, zkId, const float *, int32_t, const float *, int32_t,
                              int32_t);
typedef void (*zkOpAddCharacter)(zkId, zkId, zkId, float, float, float, float);
typedef void (*zkOpBind)(zkId, zkId, zkId);
typedef int32_t (*zkOpRun)(zkId, zkId, zkProgressFn, void *);
typedef int32_t (*zkOpInkStrokes)(zkId, zkId);
typedef int32_t (*zkOpInkPoints)(zkId, zkId, int32_t);
typedef int32_t (*zkOpInkCoordinates)(zkId, zkId, int32_t, float *, int32_t);
typedef void (*zkOpAddCandidate)(zkId, zkId, int32_t, const zkText *, float);
typedef int32_t (*zkOpAddText)(zkId, zkId, int32_t, const zkText *);
typedef int32_t (*zkOpPrepare)(zkId, zkId);
typedef zkId (*zkOpObject)(zkId, zkId);
typedef int32_t (*zkOpLabel)(zkId, zkId, int32_t, zkBuffer *);
typedef float (*zkOpScore)(zkId, zkId);
typedef int32_t (*zkOpInkRanges)(zkId, zkId, zkInkRecords *);
typedef int32_t (*zkOpSelected)(zkId, zkId);
typedef int32_t (*zkOpSampleCount)(zkId, zkId);
typedef int32_t (*zkOpAddSample)(zkId, zkId, zkId, int32_t, const zkText *);
typedef int32_t (*zkOpRemoveSample)(zkId, zkId, int64_t);
typedef zkId (*zkOpSampleInk)(zkId, zkId, int64_t);
typedef int32_t (*zkOpSampleLabel)(zkId, zkId, int64_t, int32_t, zkBuffer *);

#ifdef __cplusplus
}
#endif

#endif /* ZKENGINE_H */
