// Tests of the slot operations and the copy, delete, insert and exchange commands of the
// subline page: where every slot's data go, what the anchor data, spring buoys and clump
// weights do, and the answers that abort or ask again.
#include "mooring_pages/subline_editing.h"
#include "support/console.h"

#include "blocks/tpcm.h"
#include "runtime/units.h"
#include "support/mooring_fixture.h"

#include <gtest/gtest.h>
#include <string>

namespace lintar {
namespace {

using testing::ScriptedConsole;

// A mark per slot: its length is 100 t + s, its name "T<t>S<s>", its third coefficient s.
float mark(int s, int t) {
    return static_cast<float>(100 * t + s);
}
std::string name_of(int s, int t) {
    std::string name = "T" + std::to_string(t) + "S" + std::to_string(s);
    name.resize(8, ' ');
    return name;
}
std::string name_at(int s, int t) {
    return std::string(TPCM.SCOMP(s, t).data(), 8);
}

// A new file with five types in use (3, 2, 2, 1, 2 sublines), every slot of every type marked,
// and the type data of types 1 to 5 marked too (anchor depth 10 t, bottom code t mod 2, buoy
// t, clump 20 t).
void fill_marked() {
    testing::fill_new_file();
    TPCM.NTYP = 5;
    const int counts[] = {3, 2, 2, 1, 2};
    for (int t = 1; t <= 5; ++t)
        TPCM.NELEM(t) = counts[t - 1];
    for (int t = 1; t <= TPCM.MAXTYP; ++t) {
        for (int s = 1; s <= TPCM.MAXELM; ++s) {
            const std::string name = name_of(s, t);
            std::copy(name.begin(), name.end(), TPCM.SCOMP(s, t).begin());
            TPCM.SLEN(s, t) = mark(s, t);
            TPCM.DIAM(s, t) = 2.0f * mark(s, t);
            TPCM.WETWT(s, t) = 3.0f * mark(s, t);
            TPCM.DRYWT(s, t) = 4.0f * mark(s, t);
            TPCM.MOORDUMMY(s, t) = 5.0f * mark(s, t);
            TPCM.COFMST(s, t) = 6.0f * mark(s, t);
            TPCM.COFDMT(s, t) = 7.0f * mark(s, t);
            TPCM.TBRK(s, t) = 8.0f * mark(s, t);
            TPCM.ALPHA(1, s, t) = 9.0f * mark(s, t);
            TPCM.ALPHA(2, s, t) = 10.0f * mark(s, t);
            TPCM.ALPHA(3, s, t) = static_cast<float>(s);
        }
        TPCM.ANCHGT(t) = 10.0f * static_cast<float>(t);
        TPCM.ANCTYP(t) = t % 2;
    }
    for (int t = 1; t <= 12; ++t) {
        TPCM.SPRGBY(t) = static_cast<float>(t);
        TPCM.CLUMP(t) = 20.0f * static_cast<float>(t);
    }
    TPCM.ANCHT0 = -7.0f;
    TPCM.MOORTP = 1;
    TPCM.COFMAS = 1.5f;
    TPCM.COFDMP = 2.5f;
}

// True when slot (s, t) holds, field for field, the marks of slot (s0, t0).
::testing::AssertionResult holds(int s, int t, int s0, int t0) {
    const float m = mark(s0, t0);
    const bool same =
        name_at(s, t) == name_of(s0, t0) && TPCM.SLEN(s, t) == m && TPCM.DIAM(s, t) == 2 * m &&
        TPCM.WETWT(s, t) == 3 * m && TPCM.DRYWT(s, t) == 4 * m && TPCM.MOORDUMMY(s, t) == 5 * m &&
        TPCM.COFMST(s, t) == 6 * m && TPCM.COFDMT(s, t) == 7 * m && TPCM.TBRK(s, t) == 8 * m &&
        TPCM.ALPHA(1, s, t) == 9 * m && TPCM.ALPHA(2, s, t) == 10 * m &&
        TPCM.ALPHA(3, s, t) == static_cast<float>(s0);
    if (same)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "slot (" << s << ", " << t << ") holds \"" << name_at(s, t) << "\", length "
           << TPCM.SLEN(s, t) << ", not the data of (" << s0 << ", " << t0 << ")";
}

// True when slot (s, t) is cleared (the defaults of COFMAS and COFDMP in its coefficients).
::testing::AssertionResult cleared(int s, int t) {
    const bool blank =
        name_at(s, t) == "        " && TPCM.SLEN(s, t) == 0 && TPCM.DIAM(s, t) == 0 &&
        TPCM.WETWT(s, t) == 0 && TPCM.DRYWT(s, t) == 0 && TPCM.MOORDUMMY(s, t) == 0 &&
        TPCM.TBRK(s, t) == 0 && TPCM.ALPHA(1, s, t) == 0 && TPCM.ALPHA(2, s, t) == 0 &&
        TPCM.ALPHA(3, s, t) == 0 && TPCM.COFMST(s, t) == 1.5f && TPCM.COFDMT(s, t) == 2.5f;
    if (blank)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "slot (" << s << ", " << t << ") is not cleared: \""
                                         << name_at(s, t) << "\", length " << TPCM.SLEN(s, t);
}

TEST(SlotOperations, ClearResetsTheAnchorOnlyOnTheLastSubline) {
    ScriptedConsole console;
    fill_marked();
    CLRDAT(2, 1); // a middle subline of type 1 (3 sublines)
    EXPECT_TRUE(cleared(2, 1));
    EXPECT_TRUE(holds(1, 1, 1, 1));
    EXPECT_TRUE(holds(3, 1, 3, 1));
    EXPECT_EQ(TPCM.ANCHGT(1), 10.0f);
    EXPECT_EQ(TPCM.ANCTYP(1), 1);
    EXPECT_EQ(TPCM.SPRGBY(1), 0.0f); // the buoy and the clump go with any cleared slot
    EXPECT_EQ(TPCM.CLUMP(1), 0.0f);
    CLRDAT(3, 1); // the last subline: the anchor goes back to the defaults
    EXPECT_EQ(TPCM.ANCHGT(1), -7.0f);
    EXPECT_EQ(TPCM.ANCTYP(1), 1);
    // A type above 12 has no buoy or clump: clearing it touches no neighbouring word.
    const float after = TPCM.DUMCOM(1);
    CLRDAT(1, 40);
    EXPECT_EQ(TPCM.DUMCOM(1), after);
    EXPECT_EQ(TPCM.CLUMP(12), 240.0f);
}

TEST(SlotOperations, CopyAndSwapMoveTheAnchorBetweenLastSublines) {
    ScriptedConsole console;
    fill_marked();
    COPY(2, 1, 2, 1); // last subline of type 2 from the first of type 1: no anchor data
    EXPECT_TRUE(holds(2, 2, 1, 1));
    EXPECT_EQ(TPCM.ANCHGT(2), 20.0f);
    EXPECT_EQ(TPCM.SPRGBY(2), 1.0f); // the source type's buoy and clump
    EXPECT_EQ(TPCM.CLUMP(2), 20.0f);
    COPY(2, 3, 2, 1); // last onto last: the anchor data too
    EXPECT_TRUE(holds(2, 2, 3, 1));
    EXPECT_EQ(TPCM.ANCHGT(2), 10.0f);
    EXPECT_EQ(TPCM.ANCTYP(2), 1);

    fill_marked();
    SWAP(2, 3, 3, 1); // last subline of type 3 with the last of type 1
    EXPECT_TRUE(holds(2, 3, 3, 1));
    EXPECT_TRUE(holds(3, 1, 2, 3));
    EXPECT_EQ(TPCM.ANCHGT(3), 10.0f);
    EXPECT_EQ(TPCM.ANCHGT(1), 30.0f);
    EXPECT_EQ(TPCM.ANCTYP(3), 1);
    EXPECT_EQ(TPCM.ANCTYP(1), 1);
    EXPECT_EQ(TPCM.SPRGBY(3), 1.0f);
    EXPECT_EQ(TPCM.CLUMP(1), 60.0f);
    SWAP(1, 1, 4, 4); // with itself: nothing changes
    EXPECT_TRUE(holds(1, 4, 1, 4));
    EXPECT_EQ(TPCM.ANCHGT(4), 40.0f);
    EXPECT_EQ(TPCM.SPRGBY(4), 4.0f);
}

TEST(SlotOperations, TextExchangePadsAndCuts) {
    char longer[10] = {'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j'};
    char shorter[3] = {'x', 'y', 'z'};
    SWAPC(longer, shorter);
    EXPECT_EQ(std::string(longer, 10), "xyz       ");
    EXPECT_EQ(std::string(shorter, 3), "abc");
    float a = 1, b = 2;
    SWAPX(a, b);
    EXPECT_EQ(a, 2.0f);
    std::int32_t i = 3, j = 4;
    SWAPI(i, j);
    EXPECT_EQ(j, 3);
}

using Command = void (*)(std::int32_t, std::int32_t);

// A command run on the marked file with the keyboard given: the console and the marks last as
// long as the run, so that the results can be checked.
class CommandRun {
public:
    explicit CommandRun(const std::string& keys) : console_(keys) { fill_marked(); }
    // Runs the command on (type, subline); returns the screen.
    std::string run(Command command, int type, int subline) {
        command(type, subline);
        return console_.screen();
    }

private:
    ScriptedConsole console_;
};

TEST(DeleteCommand, MovesTheLaterSublinesOrTypesDown) {
    {
        SCOPED_TRACE("subline 1 of type 1");
        CommandRun run("e\n");
        run.run(delete_command, 1, 1);
        EXPECT_TRUE(holds(1, 1, 2, 1));
        EXPECT_TRUE(holds(2, 1, 3, 1));
        EXPECT_TRUE(holds(24, 1, 25, 1));
        EXPECT_TRUE(cleared(25, 1));
        EXPECT_EQ(TPCM.NELEM(1), 3); // the count is left to the user
        EXPECT_EQ(TPCM.ANCHGT(1), 10.0f);
        EXPECT_TRUE(holds(1, 2, 1, 2));
    }
    {
        SCOPED_TRACE("type 3 of 5");
        CommandRun run("T\n");
        run.run(delete_command, 3, 1);
        for (int s = 1; s <= 25; ++s) {
            EXPECT_TRUE(holds(s, 3, s, 4));
            EXPECT_TRUE(holds(s, 4, s, 5));
            EXPECT_TRUE(holds(s, 148, s, 149));
            EXPECT_TRUE(cleared(s, 149));
            EXPECT_TRUE(holds(s, 2, s, 2));
        }
        EXPECT_EQ(TPCM.NTYP, 5);
        EXPECT_EQ(TPCM.NELEM(3), 2);
        EXPECT_EQ(TPCM.NELEM(4), 1);
        EXPECT_EQ(TPCM.SPRGBY(3), 4.0f);
        EXPECT_EQ(TPCM.CLUMP(11), 240.0f); // type 12's clump moved down
        EXPECT_EQ(TPCM.SPRGBY(12), 0.0f);  // from type 13, which has none
        // The anchor data move with their types, whatever their counts of sublines.
        EXPECT_EQ(TPCM.ANCHGT(3), 40.0f);
        EXPECT_EQ(TPCM.ANCTYP(3), 0);
        EXPECT_EQ(TPCM.ANCHGT(4), 50.0f);
        EXPECT_EQ(TPCM.ANCHGT(148), 1490.0f);
        EXPECT_EQ(TPCM.ANCHGT(149), -7.0f);
        EXPECT_EQ(TPCM.ANCTYP(149), 1);
    }
    {
        SCOPED_TRACE("the last possible type");
        CommandRun run("t\n");
        run.run(delete_command, 149, 1);
        for (int s = 1; s <= 25; ++s) {
            EXPECT_TRUE(cleared(s, 149));
            EXPECT_TRUE(holds(s, 148, s, 148));
        }
    }
}

TEST(InsertCommand, MovesTheCurrentAndLaterOnesUp) {
    {
        SCOPED_TRACE("subline 2 of type 1");
        CommandRun run("E\n");
        run.run(insert_command, 1, 2);
        EXPECT_TRUE(holds(1, 1, 1, 1));
        EXPECT_TRUE(cleared(2, 1));
        EXPECT_TRUE(holds(3, 1, 2, 1));
        EXPECT_TRUE(holds(25, 1, 24, 1));
        // Slot 2 is no last subline: the anchor data stay.
        EXPECT_EQ(TPCM.ANCHGT(1), 10.0f);
    }
    {
        SCOPED_TRACE("the last subline of type 2");
        CommandRun run("E\n");
        run.run(insert_command, 2, 2);
        EXPECT_TRUE(cleared(2, 2));
        EXPECT_EQ(TPCM.ANCHGT(2), -7.0f);
        EXPECT_EQ(TPCM.ANCTYP(2), 1);
    }
    {
        SCOPED_TRACE("type 2");
        CommandRun run("T\n");
        run.run(insert_command, 2, 1);
        for (int s = 1; s <= 25; ++s) {
            EXPECT_TRUE(holds(s, 1, s, 1));
            EXPECT_TRUE(cleared(s, 2));
            EXPECT_TRUE(holds(s, 3, s, 2));
            EXPECT_TRUE(holds(s, 149, s, 148));
        }
        // The moved type keeps its buoy, clump and anchor; the inserted type has none and
        // the default anchor.
        EXPECT_EQ(TPCM.ANCHGT(3), 20.0f);
        EXPECT_EQ(TPCM.ANCTYP(3), 0);
        EXPECT_EQ(TPCM.ANCHGT(2), -7.0f);
        EXPECT_EQ(TPCM.ANCTYP(2), 1);
        EXPECT_EQ(TPCM.SPRGBY(3), 2.0f);
        EXPECT_EQ(TPCM.CLUMP(3), 40.0f);
        EXPECT_EQ(TPCM.SPRGBY(2), 0.0f);
        EXPECT_EQ(TPCM.CLUMP(12), 220.0f);
    }
    {
        SCOPED_TRACE("the last possible type");
        CommandRun run("T\n");
        run.run(insert_command, 149, 1);
        for (int s = 1; s <= 25; ++s) {
            EXPECT_TRUE(cleared(s, 149));
            EXPECT_TRUE(holds(s, 148, s, 148));
        }
    }
}

TEST(ExchangeCommand, ExchangesTypesOrSublines) {
    {
        SCOPED_TRACE("whole types 1 and 3");
        CommandRun run("T\nC\n");
        run.run(exchange_command, 1, 2);
        for (int s = 1; s <= 25; ++s) {
            EXPECT_TRUE(holds(s, 1, s, 3));
            EXPECT_TRUE(holds(s, 3, s, 1));
        }
        EXPECT_EQ(TPCM.SPRGBY(1), 3.0f);
        EXPECT_EQ(TPCM.CLUMP(3), 20.0f);
        // Type 1 has 3 sublines, type 3 two: the anchor data go with the types all the same.
        EXPECT_EQ(TPCM.ANCHGT(1), 30.0f);
        EXPECT_EQ(TPCM.ANCHGT(3), 10.0f);
    }
    {
        SCOPED_TRACE("subline 1 of type 2 with subline 3 of type 1");
        CommandRun run("e\n1\n3\n");
        run.run(exchange_command, 2, 1);
        EXPECT_TRUE(holds(1, 2, 3, 1));
        EXPECT_TRUE(holds(3, 1, 1, 2));
    }
    {
        SCOPED_TRACE("with a type of one subline: no element prompt");
        CommandRun run("E\n4\n");
        const std::string screen = run.run(exchange_command, 1, 2);
        EXPECT_TRUE(holds(2, 1, 1, 4));
        EXPECT_TRUE(holds(1, 4, 2, 1));
        EXPECT_EQ(screen.find("element number"), std::string::npos);
    }
}

TEST(CopyCommand, CopiesOneSublineOrTheWholeType) {
    {
        SCOPED_TRACE("one subline");
        CommandRun run("A\n3\n");
        run.run(copy_command, 2, 2);
        EXPECT_TRUE(holds(2, 2, 3, 1));
        EXPECT_EQ(TPCM.ANCHGT(2), 10.0f); // both last sublines
        EXPECT_TRUE(holds(3, 1, 3, 1));
    }
    {
        SCOPED_TRACE("all from a longer type");
        CommandRun run("1\n101\n\n");
        const std::string screen = run.run(copy_command, 2, 1);
        EXPECT_TRUE(holds(1, 2, 1, 1));
        EXPECT_TRUE(holds(2, 2, 2, 1));
        EXPECT_TRUE(holds(3, 2, 3, 2));
        EXPECT_NE(screen.find(" >>> More elements in source Type (1) than destination Type (2).\n"
                              "     Only the first 2 Elements will be copied...\n"),
                  std::string::npos);
    }
    {
        SCOPED_TRACE("all from a shorter type");
        CommandRun run("B\n101\n");
        const std::string screen = run.run(copy_command, 1, 1);
        EXPECT_TRUE(holds(1, 1, 1, 2));
        EXPECT_TRUE(holds(2, 1, 2, 2));
        EXPECT_TRUE(holds(3, 1, 3, 2)); // beyond the source's count
        EXPECT_EQ(screen.find("More elements"), std::string::npos);
    }
    {
        SCOPED_TRACE("from a type of one subline: its subline 1, no element prompt");
        CommandRun run("D\n");
        run.run(copy_command, 1, 3);
        EXPECT_TRUE(holds(3, 1, 1, 4));
    }
}

TEST(EditingCommands, AnswersThatAbortOrAskAgain) {
    struct Case {
        const char* name;
        Command command;
        std::string keys;
        int prompts; // how often the prompt was written
    };
    const Case cases[] = {
        {"delete: blank aborts", delete_command, "\n", 1},
        {"delete: numbers and signs ask again", delete_command, "3\n0\n-\n\n", 4},
        {"delete: another letter does nothing", delete_command, "q\n", 1},
        {"insert: blank aborts", insert_command, "\n", 1},
        {"copy: blank type aborts", copy_command, "\n", 1},
        {"copy: a letter outside the types asks again", copy_command, "F\n@\n\n", 3},
        {"copy: a type number outside the types aborts", copy_command, "6\n", 1},
        {"copy: 0 aborts", copy_command, "0\n", 1},
        {"copy: 99 aborts the element prompt", copy_command, "A\n99\n", 1},
        {"copy: blank aborts the element prompt", copy_command, "A\n\n", 1},
        {"copy: element out of range asks again", copy_command, "A\n4\n0\nB\n99\n", 1},
        {"exchange: a type number outside asks again", exchange_command, "E\n6\n0\n\n", 3},
        {"exchange: 99 aborts the element prompt", exchange_command, "E\nA\n7\n99\n", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CommandRun run(c.keys);
        const std::string screen = run.run(c.command, 2, 1);
        // Nothing changed: the current slot and its neighbours keep their marks.
        for (int t = 1; t <= 5; ++t)
            for (int s = 1; s <= 3; ++s)
                EXPECT_TRUE(holds(s, t, s, t));
        EXPECT_EQ(TPCM.ANCHGT(2), 20.0f);
        // The first prompt of the command, counted.
        const std::string prompt = c.command == delete_command   ? "Delete this"
                                   : c.command == insert_command ? "Insert a single"
                                   : c.command == copy_command   ? "Copy data from which type?"
                                                                 : "Exchange data with which";
        int prompts = 0;
        for (auto at = screen.find(prompt); at != std::string::npos;
             at = screen.find(prompt, at + 1))
            ++prompts;
        EXPECT_EQ(prompts, c.prompts);
    }
}

TEST(EditingCommands, OneTypeNeedsNoTypeAnswer) {
    CommandRun run("1\n");
    TPCM.NTYP = 1;
    const std::string screen = run.run(copy_command, 1, 2); // from type 1 itself, element 1
    EXPECT_TRUE(holds(2, 1, 1, 1));
    EXPECT_EQ(screen.find("which type"), std::string::npos);
}

} // namespace
} // namespace lintar
