// The definition file: load it, build the tree, select every node, move the
// slider to both ends and reset to the default. A value that cannot be edited is
// refused with an Error; nothing else may escape, and no dialog goes unanswered.
#include "FuzzSupport.h"

#include "model/AttributeCatalogue.h"
#include "handlers/AttributeTree.h"
#include "model/Definitions.h"
#include "handlers/Selection.h"
#include "support/ExpectError.h"
#include "support/TestEditor.h"

using namespace vnt;
using namespace vnt::fuzz;

namespace {

// A working copy with float, 32-bit and 16-bit slots in turn, every 8 bytes.
QByteArray workingCopy()
{
    QByteArray bytes(33 * 1024, '\0');
    const char* tags[] = {"\x7B\xB1", "\x10\xB8", "\x02\x03"};
    for (qsizetype p = 0, n = 0; p + 8 <= bytes.size(); p += 8, ++n) {
        bytes.replace(p, 2, tags[n % 3], 2);
        bytes[p + 4] = char(n * 37);
        bytes[p + 7] = char(n % 5 == 0 ? 0x7F : 0x3F); // now and then a NaN or an infinity
    }
    return bytes;
}

void exercise(test::TestEditor& e, const QString& key)
{
    if (test::errorOf([&] { TreeView_AI_NodeClick(e.ctx, key); }) || !FindAttribute(e.ctx.definitions, key))
        return;
    for (const int position : {e.controls.sliderMinimum(), e.controls.sliderMaximum()}) {
        e.controls.userSetsSlider(position);
        test::errorOf([&] { valueSlider_Scroll(e.ctx); });
    }
    e.dialogs.expectQuestion(QStringLiteral("Reset value to default?"), Answer::Yes);
    test::errorOf([&] { btnSetDefaultValue_Click(e.ctx); });
    VANTOR_FUZZ_EXPECT(e.dialogs.allAnswered(), "Reset to Default asked nothing");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QByteArray copy = workingCopy();
    test::TestEditor e;
    e.ctx.state.SkillName = QStringLiteral("Medium");
    put(e.path(QStringLiteral("aidata.xml")), bytesOf(data, size));
    put(e.workFile(), copy);
    LoadDefinitions(e.ctx.definitions, e.path(QStringLiteral("aidata.xml")));
    BuildAttributeTree(e.ctx);
    VANTOR_FUZZ_EXPECT(e.controls.nodeCount() == AttributeNodeCount, "the tree is not the catalogue");
    for (const CatalogueNode& node : AttributeCatalogue())
        exercise(e, node.key.toString());
    return 0;
}
