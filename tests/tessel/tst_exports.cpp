#include <QtTest>

#include <elf.h>

#include <set>
#include <string>

// The library's dynamic symbol table holds the flat interface and nothing else.
class TestExports : public QObject
{
    Q_OBJECT

private slots:
    void onlyTheInterfaceIsExported();
};

static std::set<std::string> definedDynamicSymbols(const QByteArray &image)
{
    std::set<std::string> names;
    const char *data = image.constData();
    if (size_t(image.size()) < sizeof(Elf64_Ehdr))
        return names;
    const auto *header = reinterpret_cast<const Elf64_Ehdr *>(data);
    const auto *sections = reinterpret_cast<const Elf64_Shdr *>(data + header->e_shoff);
    for (int i = 0; i < header->e_shnum; ++i) {
        if (sections[i].sh_type != SHT_DYNSYM)
            continue;
        const char *strings = data + sections[sections[i].sh_link].sh_offset;
        const auto *symbols = reinterpret_cast<const Elf64_Sym *>(data + sections[i].sh_offset);
        const size_t count = sections[i].sh_size / sizeof(Elf64_Sym);
        for (size_t s = 0; s < count; ++s) {
            const int binding = ELF64_ST_BIND(symbols[s].st_info);
            if (symbols[s].st_shndx != SHN_UNDEF && (binding == STB_GLOBAL || binding == STB_WEAK))
                names.insert(strings + symbols[s].st_name);
        }
    }
    return names;
}

void TestExports::onlyTheInterfaceIsExported()
{
    QFile file(QStringLiteral(SCRIVEL_BIN_DIR "/libTessel.so"));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    const QByteArray image = file.readAll();
    QVERIFY(image.startsWith("\x7f" "ELF"));
    QCOMPARE(image.at(EI_CLASS), char(ELFCLASS64));

    const std::set<std::string> expected = {
        "zkCreateTessel", "zkTesselDestroy", "zkTesselSetDxWeight", "zkTesselSetY0Weight",
        "zkTesselSetHWeight", "zkTesselClear", "zkTesselRun", "zkTesselAddStroke",
        "zkTesselCreateSymbol", "zkTesselSetStartSymbol", "zkTesselAddRecognizerRule",
        "zkTesselAddMatcherRule", "zkTesselAddIdentityRule", "zkTesselAddFilterRule",
        "zkTesselAddHPairRule", "zkTesselAddSuperscriptRule", "zkTesselAddSubscriptRule",
        "zkTesselAddSqrtRule", "zkTesselAddSigmaRule", "zkTesselAddLimitRule", "zkTesselAddFractionRule",
        "zkTesselAddPartialFractionRule", "zkTesselAddOperatorRule", "zkTesselAddParenthesisRule",
        "zkTesselAddSumRule", "zkTesselAddIntegralRule", "zkTesselResultGetCandidateCount",
        "zkTesselResultGetCandidate", "zkTesselResultAddCandidate", "zkTesselResultAddThinCenteredCandidate",
        "zkTesselResultAddThinBaselineCandidate", "zkTesselResultAddStretchableCandidate",
        "zkTesselResultAddShrinkableCandidate", "zkTesselObjectGetType", "zkTesselObjectGetLabel",
        "zkTesselObjectGetCost", "zkTesselObjectGetRelCost", "zkTesselObjectGetSW", "zkTesselObjectGetY",
        "zkTesselObjectGetYW", "zkTesselObjectGetH", "zkTesselObjectGetHW", "zkTesselObjectGetRegion",
        "zkTesselObjectGetChildCount", "zkTesselObjectGetChild", "zkTesselRegionGetStrokeCount",
        "zkTesselRegionGetFirstStroke", "zkTesselRegionGetNextStroke", "zkTesselRegionGetBoundingBox"};
    QCOMPARE(expected.size(), size_t(49));
    QCOMPARE(definedDynamicSymbols(image), expected);
}

QTEST_GUILESS_MAIN(TestExports)
#include "tst_exports.moc"
