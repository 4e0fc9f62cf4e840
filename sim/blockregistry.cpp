// Every block of the simulated unit, by operation class and module.

#include "protocol/commands.h"
#include "sim/aecblock.h"
#include "sim/agcblock.h"
#include "sim/ancblock.h"
#include "sim/automixerblock.h"
#include "sim/delayblock.h"
#include "sim/feedbackblock.h"
#include "sim/filterblock.h"
#include "sim/firmwareblock.h"
#include "sim/gateblock.h"
#include "sim/generatorblock.h"
#include "sim/labeltables.h"
#include "sim/levelblocks.h"
#include "sim/limiterblock.h"
#include "sim/matrixblock.h"
#include "sim/presetblock.h"
#include "sim/simmodel.h"
#include "sim/systemblock.h"

void installBlocks(SimModel &model)
{
    using namespace Proto;
    using std::make_unique;

    model.addBlock(OpFirmware, FirmwareModule::Arm,
                   make_unique<FirmwareBlock>(FirmwareModule::Arm));
    model.addBlock(OpFirmware, FirmwareModule::Dsp,
                   make_unique<FirmwareBlock>(FirmwareModule::Dsp));

    model.addBlock(OpSystem, SysModule::Settings, make_unique<SystemBlock>(model));
    model.addBlock(OpSystem, SysModule::Labels, make_unique<LabelTables>());
    model.addBlock(OpSystem, SysModule::Settings4, make_unique<Settings4Block>(model.system()));

    model.addBlock(OpBlock, Module::InputLevel,
                   make_unique<LevelBlock>(Module::InputLevel, makeInputLevelBlock(), model));
    model.addBlock(OpBlock, Module::PreMixLevel,
                   make_unique<LevelBlock>(Module::PreMixLevel, makePreMixLevelBlock(), model));
    model.addBlock(OpBlock, Module::OutputLevel,
                   make_unique<LevelBlock>(Module::OutputLevel, makeOutputLevelBlock(), model));

    model.addBlock(OpBlock, Module::Gate, make_unique<GateBlock>(model));
    model.addBlock(OpBlock, Module::AutoMixer, make_unique<AutoMixerBlock>());
    model.addBlock(OpBlock, Module::Aec, make_unique<AecBlock>(model.system()));
    model.addBlock(OpBlock, Module::Anc, make_unique<AncBlock>());
    auto *inLimiter = model.addBlock(OpBlock, Module::InputLimiter,
                                     make_unique<LimiterBlock>(Module::InputLimiter));
    auto *outLimiter = model.addBlock(OpBlock, Module::OutputLimiter,
                                      make_unique<LimiterBlock>(Module::OutputLimiter));
    LimiterBlock::linkWith(*inLimiter, *outLimiter);
    model.addBlock(OpBlock, Module::Agc, make_unique<AgcBlock>());
    model.addBlock(OpBlock, Module::Feedback, make_unique<FeedbackBlock>());
    model.addBlock(OpBlock, Module::InputFilter,
                   make_unique<FilterBlock>(Module::InputFilter, model));
    model.addBlock(OpBlock, Module::OutputFilter,
                   make_unique<FilterBlock>(Module::OutputFilter, model));
    model.addBlock(OpBlock, Module::InputDelay,
                   make_unique<DelayBlock>(Module::InputDelay, 1000.0f));
    model.addBlock(OpBlock, Module::OutputDelay,
                   make_unique<DelayBlock>(Module::OutputDelay, 2000.0f));
    model.addBlock(OpBlock, Module::Preset, make_unique<PresetBlock>(model));
    model.addBlock(OpBlock, Module::Matrix, make_unique<MatrixBlock>());
    model.addBlock(OpBlock, Module::Generator, make_unique<GeneratorBlock>());
}
