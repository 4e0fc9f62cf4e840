// Every block of the simulated unit, by operation class and module.

#include "protocol/commands.h"
#include "sim/firmwareblock.h"
#include "sim/generatorblock.h"
#include "sim/labeltables.h"
#include "sim/levelblocks.h"
#include "sim/matrixblock.h"
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
    model.addBlock(OpBlock, Module::Matrix, make_unique<MatrixBlock>());
    model.addBlock(OpBlock, Module::Generator, make_unique<GeneratorBlock>());
}
