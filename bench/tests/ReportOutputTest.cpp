// The pieces between a measurement and the files scripts read: the child
// process that carries a size's result back, and the JSON it ends up in.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

#include "BenchReport.h"
#include "ChildProcess.h"
#include "ResultJson.h"

TEST(ChildProcess, CarriesTheResultOrTheReasonItFailed) {
    SizeResult sent = measureInChild("/tmp", [] {
        SizeResult result;
        result.ok = true;
        result.framesDrawn = 1234;
        result.day.medianMs = 12.5;
        result.dayPasses.passMs[static_cast<int>(FramePass::terrain)] = 7.25;
        return result;
    });
    EXPECT_TRUE(sent.ok);
    EXPECT_EQ(sent.framesDrawn, 1234);
    EXPECT_DOUBLE_EQ(sent.day.medianMs, 12.5);
    EXPECT_DOUBLE_EQ(sent.dayPasses.passMs[static_cast<int>(FramePass::terrain)], 7.25);

    SizeResult thrown = measureInChild("/tmp", []() -> SizeResult { throw std::runtime_error("Error loading model X"); });
    EXPECT_FALSE(thrown.ok);
    EXPECT_STREQ(thrown.error, "Error loading model X");

    SizeResult died = measureInChild("/tmp", []() -> SizeResult {
        std::raise(SIGKILL);
        return {};
    });
    EXPECT_FALSE(died.ok);
    EXPECT_NE(std::string(died.error).find("signal"), std::string::npos) << died.error;

    SizeResult nowhere = measureInChild("/no/such/folder", [] { return SizeResult{}; });
    EXPECT_FALSE(nowhere.ok);
    EXPECT_NE(std::string(nowhere.error).find("/no/such/folder"), std::string::npos);
}

TEST(ResultJson, HoldsEverySizeTheRatiosAndNoBareNonNumbers) {
    BenchReport report;
    SizeResult size;
    size.ok = true;
    size.requestedSize = 128;
    size.gridSize = 128;
    size.framesDrawn = 10;
    size.day.frames = 9;
    size.day.medianMs = 20;
    size.reference.medianMs = 16;
    size.firstFrameMs = std::nan("");
    SizeResult failed;
    failed.requestedSize = 256;
    std::snprintf(failed.error, sizeof failed.error, "said \"no\"");
    report.sizes = {size, failed};

    std::ostringstream json;
    writeReportJson(report, json);
    const std::string text = json.str();
    for (const char* key : {"\"sizes\"", "\"ratios\"", "\"timing\"", "\"day_over_reference_128\": 1.25",
                            "\"passes_mean_ms\"", "\"ride_passes_mean_ms\"", "\"choice of quads\"",
                            "\"heap_after_first_frame\"", "\"shadow read-back\"",
                            "\"first_frame_ms\": null", "\"drift\": null", "\"error\": \"said \\\"no\\\"\"",
                            "\"ride_1024x768\": {", "\"night_headlights\": {\"frames\"", "\"terrain_ms_by_phase\"",
                            "\"noon_over_reference_128\"", "\"build_ms_4096\": null"})
        EXPECT_NE(text.find(key), std::string::npos) << key << "\n" << text;
    EXPECT_EQ(text.find("nan"), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '{'), std::count(text.begin(), text.end(), '}'));
    EXPECT_EQ(std::count(text.begin(), text.end(), '['), std::count(text.begin(), text.end(), ']'));
}
