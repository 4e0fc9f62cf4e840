#pragma once

// What dapctl tells its caller: 0 success, 1 a failure of the unit, the
// network or a file, 2 a command line it cannot use.
enum ExitCode
{
    ExitOk = 0,
    ExitFailure = 1,
    ExitUsage = 2,
};
