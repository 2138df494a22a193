#pragma once

// The codes the stage switch knows, in the order an examinee meets them. The numbers are
// kept as they are: the countdown's early-end markers (1000, 3000) are compared with the
// elapsed seconds, and the answers of older stations were made under the same codes.
enum class StageCode : int {
    HardwareCheck = 1,
    Instruction = 5,
    CodeRecording = 6,
    ListeningPreparation = 10,
    ListeningTask = 11,
    SpokenPreparation = 20,
    SpokenAnswer = 21,
    PhotoChoice = 30,
    PhotoAnswer1 = 31,
    PhotoAnswer2 = 32,
    PhotoAnswer3 = 33,
    PhotoAnswerNoPhoto = 39,
    ChoiceTask4 = 40,
    ChoiceTask5 = 50,
    ChoiceTask6 = 60,
    Review = 1000,
    Finish = 1001,
};
