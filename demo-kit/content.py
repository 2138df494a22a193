"""Texts of the demo kit: Russian instructions, English tasks, options and answer keys.
Markup as in rtfsheet.py; <gap> marks where a drop-down list lies. The task-1 audio texts
are in make-assets.sh."""

INTRO = {
    "title": "Инструкция по выполнению работы",
    "paragraphs": [
        "Устная часть экзамена по английскому языку состоит из шести заданий. Все задания выполняются "
        "на компьютере, ответы сохраняются автоматически. Время, оставшееся на подготовку и ответ в заданиях "
        "1\u20133, показано в верхней части экрана. Вернуться к предыдущему заданию нельзя.",
        "<b>Задание 1</b> \u2014 понимание звучащего текста. Сначала вы услышите инструкцию, затем текст, "
        "который прозвучит дважды. Во время прослушивания в каждом из пяти окошек выберите один из трёх "
        "вариантов, соответствующий услышанному.",
        "<b>Задание 2</b> \u2014 условный диалог-расспрос. На подготовку отводится 1,5 минуты, на ответ "
        "\u2014 1,5 минуты. Ваш ответ записывается.",
        "<b>Задание 3</b> \u2014 описание фотографии. Во время подготовки (1,5 минуты) выберите одну из трёх "
        "фотографий в поле «Выбор фото» внизу экрана. На ответ отводится 2 минуты. Ваш ответ записывается.",
        "<b>Задания 4\u20136</b> \u2014 чтение, грамматика и лексика. Прочитайте текст и в каждом из пяти "
        "раскрывающихся списков выберите подходящий вариант. На каждое задание отводится до 45 минут.",
        "Перед началом записи ответа на экране появляется обратный отсчёт. Говорите чётко, в обычном темпе, "
        "не снимайте наушники до конца экзамена.",
        "Если вы выполнили задание раньше отведённого времени, нажмите кнопку «Завершить ответ!» и "
        "подтвердите завершение.",
        "Введите в поле внизу экрана ваш четырёхзначный <b>код участника</b> и нажмите кнопку "
        "«Начать выполнение работы».",
    ],
    "wish": "Желаем успеха!",
}

TEST_TEXT = {
    "title": "Проверка отображения текста заданий",
    "paragraphs": [
        "Этот текст показывает, как на станции выглядят тексты заданий. Проверьте, что русские буквы "
        "(в том числе <b>Ё, ё, Й, й, Щ, щ, Ъ, ъ</b>) и английский текст читаются без искажений.",
        "<b>Полужирный шрифт</b>, <i>курсив</i>, <u>подчёркивание</u>, <c1>синий</c>, <c2>тёмно-красный</c> "
        "и <c3>зелёный</c> цвет.",
        "<fs20>Размер 10 pt.</fs> Размер 12 pt. <fs28>Размер 14 pt.</fs> <fs36>Размер 18 pt.</fs>",
        "<arial>Arial: The quick brown fox jumps over the lazy dog. 0123456789</arial>",
        "Times New Roman: The quick brown fox jumps over the lazy dog. \u2014 \u00abКавычки\u00bb, \u2116 5.",
        "<courier>Courier New: Съешь же ещё этих мягких французских булок, да выпей чаю.</courier>",
    ],
    "table": [
        ["<b>Задание</b>", "<b>Подготовка</b>", "<b>Ответ</b>"],
        ["1", "инструкция (аудиозапись)", "выбор в пяти окошках"],
        ["2", "1,5 минуты", "1,5 минуты, запись"],
        ["3", "1,5 минуты, выбор фото", "2 минуты, запись"],
    ],
    "caption": "Рисунок должен быть виден целиком, без искажения цветов.",
}

_T1_PRE = [
    "Вы выполняете задание 1. Прослушайте инструкцию. Во время подготовки текст задания на экране не "
    "показывается.",
    "Затем вы услышите текст дважды. Во время прослушивания дополните пять утверждений: в каждом окошке "
    "выберите один из трёх вариантов.",
]

_T1_HEAD_RU = [
    "Вы услышите %s дважды. Дополните утверждения 1\u20135: в каждом окошке выберите один из",
    "трёх вариантов, который соответствует содержанию услышанного.",
]

_T3_PLAN = [
    "where and when the photo was taken",
    "what/who is in the photo",
    "what is happening",
    "why you keep the photo in your album",
    "why you decided to show the picture to your friend",
]

_T3_RU = [
    "Рассмотрите фотографии и выберите одну из них. Номер выбранной фотографии отметьте в поле "
    "«Выбор фото» внизу экрана до окончания подготовки.",
    "Опишите фотографию своему другу. У вас будет 2 минуты на ответ. Ваш ответ должен быть связным "
    "и состоять из 10\u201312 предложений.",
]

_T3_TASK = ("Imagine that you are showing this photo to your friend. Leave a voice message and tell your "
            "friend about it. You will speak for not more than 2 minutes (12\u201315 sentences).")
_T3_CLOSE = "Start with \u201cI\u2019ve chosen photo number \u2026\u201d."

_T2_RU = {
    "t2Pre": "Вы готовитесь к заданию 2. Прочитайте объявление и подготовьте четыре прямых вопроса. "
             "На подготовку отводится 1,5 минуты.",
    "t2Task": "Задайте четыре прямых вопроса по объявлению. На ответ отводится 1,5 минуты, ваш ответ "
              "записывается.",
}
_T2_CLOSE = "You have 20 seconds to ask each question. Начните отвечать, когда закончится обратный отсчёт."

VARIANTS = [
    {
        "no": 0,
        "t1": {
            "pre": _T1_PRE,
            "head": [
                _T1_HEAD_RU[0] % "объявление",
                _T1_HEAD_RU[1],
                ("<b>Listen to the announcement and complete the statements.</b>", {"sb": 8}),
                "You will hear the text twice. While you are listening, choose the option in each box",
                "that matches the text. Statement 0 is an example.",
                ("0. The announcement is made by the <u>head teacher</u>.", {"sb": 12}),
            ],
            "statements": [
                "Our class is going on a school trip to the Science Museum next",
                "The bus to the museum will leave at",
                "The price of twelve pounds includes the bus ticket to the museum and",
                "For lunch at the museum, the students should take",
                "In the museum, the class will first visit",
            ],
            "options": [
                ["Friday", "Saturday", "Sunday"],
                ["half past eight", "a quarter to nine", "nine o'clock"],
                ["lunch in the cafe", "the museum ticket", "a souvenir"],
                ["sandwiches", "money for the cafe", "a notebook"],
                ["the robot workshop", "the space gallery", "the science cafe"],
            ],
            "key": "22212",
        },
        "t2": {
            "ru": _T2_RU,
            "situation": "You are considering taking an English course in the summer holidays and now you would "
                         "like to get more information. Study the advertisement.",
            "ad": "<b>SUMMER ENGLISH CLUB</b><line>Learn English with native speakers!<line>"
                  "Small groups \u2022 Games and films \u2022 Trips at weekends",
            "ask": "In 1.5 minutes you are to ask <b>four direct questions</b> to find out about the following:",
            "points": ["location of the club", "start date of the course", "number of students in a group",
                       "price for a month"],
            "close": _T2_CLOSE,
        },
        "t3": {
            "ru": _T3_RU,
            "photos": ["on the beach", "a park in winter", "a city street at night"],
            "task": _T3_TASK,
            "plan_intro": "<b>These are photos from your photo album. Choose one photo to present to your "
                          "friend.</b> In your talk remember to speak about:",
            "plan": _T3_PLAN,
            "close": _T3_CLOSE,
        },
        "t4": {
            "lines": [
                ("Прочитайте текст. Выберите в каждом списке слово, которое подходит по смыслу к пропуску.", {}),
                ("<b>My First Job</b>", {}),
                "Last summer, when the holidays began, I <gap> to find my first job.",
                "My uncle has a small bookshop in the town centre, and he needed an assistant for July.",
                "I wanted to buy a new bike, so I was glad to help him. On my first morning I felt nervous",
                "because I had never worked and was <gap> of making mistakes.",
                "But my uncle was very patient. He showed me how to use the cash desk and where to find",
                "books for children, travel guides and novels. Soon I was helping people to choose presents.",
                "Every week some of our most regular <gap> came to ask what to read next.",
                "At lunchtime we had sandwiches and tea in the small kitchen behind the shop.",
                "The job was interesting, but standing all day was hard for me. Every evening I came home",
                "at eight o'clock, hungry and very <gap> and ready to fall asleep at once.",
                "My mother told me that I should read some of the books I was selling, so that I could talk",
                "about them with the visitors. She said it would make the work much more interesting.",
                "At first I did not believe that it would help, but then I decided to try.",
                "It was a great idea, and I followed her <gap> from the very next day.",
                "By the end of July I had enough money for the bike, and I had read eleven new books!",
            ],
            "options": ["advice", "afraid", "borrow", "customers", "decided", "expensive", "invited", "tired"],
            "key": "52481",
        },
        "t5": {
            "lines": [
                ("Прочитайте письмо. Выберите в каждом списке форму слова, которая подходит к пропуску.", {}),
                ("<b>Dear Tom,</b>", {"sb": 6}),
                "Thank you for your letter. I\u2019m sorry I didn\u2019t write earlier, but I was very busy.",
                "We had our exams last week, and I studied every evening.",
                "The most difficult one was Maths, but I think I did well. Our teacher says we will get",
                "the results next Friday. I hope I have passed everything with good marks!",
                "My sister helped me a lot: she explained all the difficult topics to me.",
                "Now the exams are over, and I can tell you about our plans for the summer.",
                "At the beginning of July my family<gap> to Scotland by train. My father<gap> a cottage there.",
                "It is near a lake.",
                "He says it is<gap> beautiful place in the country. I have seen some photos, and I agree!",
                "We are going to swim and fish in the lake, walk in the forest",
                "and climb the hills every day. We will have a picnic on the beach by the lake in the evening if the weather<gap>",
                "good. My little brother wants to see a deer, but I am not sure we will be lucky.",
                "I hope you will write to me before<gap> for Scotland.",
                ("Best wishes,", {"sb": 6}),
                "Anna",
            ],
            "options": [
                ["travel", "will travel", "has travelled", "travelling"],
                ["book", "booking", "has booked", "is book"],
                ["the most", "more", "most", "the more"],
                ["will be", "was", "is", "be"],
                ["I will leave", "I leave", "I left", "I am leave"],
            ],
            "key": "23132",
        },
        "t6": {
            "lines": [
                ("Прочитайте текст. Выберите в каждом списке слово, которое связывает части предложения.", {}),
                ("<b>Teenagers and Sport</b>", {}),
                "Doctors say that teenagers should do at least one hour of sport every day.",
                "This is important for their health, and it helps them to study better.",
                "However, many young people spend most of their free time sitting at home.",
                "Why does this happen?",
                "Some of them say they <gap> do not have enough time for sport,",
                "others complain that all the sports clubs in town are <gap> expensive.",
                "In our town, things are different. Our school opened a free sports centre last year,",
                "and now <gap> of us go there after lessons. You can play basketball, swim",
                "or dance there. I go there twice a week, and my best friend Nick, who used to really hate running, now goes there <gap>",
                "every day. Our teachers are happy too: they say we are more active in class.",
                "I think every school should have a sports centre like ours.",
                "Then more young people will start doing sport, and they will be",
                "much healthier and <gap> in the future.",
            ],
            "options": ["almost", "happier", "many", "nobody", "rarely", "simply", "too"],
            "key": "67312",
        },
    },
    {
        "no": 1,
        "t1": {
            "pre": _T1_PRE,
            "head": [
                _T1_HEAD_RU[0] % "рекламу летнего лагеря",
                _T1_HEAD_RU[1],
                ("<b>Listen to the radio advertisement and complete the statements.</b>", {"sb": 8}),
                "You will hear the text twice. While you are listening, choose the option in each box",
                "that matches the text. Statement 0 is an example.",
                ("0. The advertisement is about a <u>summer camp</u>.", {"sb": 12}),
            ],
            "statements": [
                "Green Lake Camp is for teenagers who are between the ages of",
                "The first session of the camp will last",
                "The campers live in wooden houses near the lake, and each room is for",
                "Near the lake, the big campfire takes place on",
                "For cold nights, campers should bring",
            ],
            "options": [
                ["10 and 14", "12 and 16", "14 and 18"],
                ["one week", "two weeks", "one month"],
                ["two people", "three people", "four people"],
                ["Fridays", "Saturdays", "every evening"],
                ["a warm jacket", "a sleeping bag", "a camera"],
            ],
            "key": "22311",
        },
        "t2": {
            "ru": _T2_RU,
            "situation": "You are going to spend a weekend in the country and would like to rent a bike. "
                         "Study the advertisement.",
            "ad": "<b>BIKES FOR RENT</b><line>Mountain bikes and city bikes<line>"
                  "Helmets \u2022 Maps of cycling routes \u2022 Open every day",
            "ask": "In 1.5 minutes you are to ask <b>four direct questions</b> to find out about the following:",
            "points": ["opening hours", "price for a day", "discounts for students", "delivery of bikes"],
            "close": _T2_CLOSE,
        },
        "t3": {
            "ru": _T3_RU,
            "photos": ["in the classroom", "in the kitchen", "at a football match"],
            "task": _T3_TASK,
            "plan_intro": "<b>These are photos from your photo album. Choose one photo to present to your "
                          "friend.</b> In your talk remember to speak about:",
            "plan": _T3_PLAN,
            "close": _T3_CLOSE,
        },
        "t4": {
            "lines": [
                ("Прочитайте текст. Выберите в каждом списке слово, которое подходит по смыслу к пропуску.", {}),
                ("<b>A Week in London</b>", {}),
                "In April we went to London to see its <gap> for the first time.",
                "We stayed in a small hotel near the river and walked a lot every day.",
                "On the first morning we wanted to visit the Tower of London, but there were a lot of people",
                "outside the gate, and we stood in the <gap> for almost an hour.",
                "It was worth it. The Tower is almost a thousand years old, and it has been a castle,",
                "a prison and even a zoo. The crown jewels are kept there, and they are really amazing.",
                "Inside, we joined a tour with a funny <gap> who told us stories about kings and queens.",
                "After lunch we walked along the river and took a lot of photos of Tower Bridge.",
                "In the afternoon we took the underground to Oxford Street. It was very noisy there,",
                "and the streets in the centre were so <gap> that we could hardly move.",
                "On our last day my sister and I went shopping for presents. We bought postcards,",
                "a red toy bus for our cousin and a big box of tea for our grandmother.",
                "We also found a funny little shop that sold only umbrellas and hats!",
                "We spent all our pocket money on <gap> but we were very happy.",
                "I hope we will go back to London one day. There is so much more to see there!",
            ],
            "options": ["crowded", "guide", "missed", "queue", "recommend", "sights", "souvenirs"],
            "key": "64217",
        },
        "t5": {
            "lines": [
                ("Прочитайте сообщение. Выберите в каждом списке форму слова, которая подходит к пропуску.",
                 {}),
                ("<b>Hi Mark,</b>", {"sb": 6}),
                "Guess what? Our school is having a big concert next Friday, and our band is going to play!",
                "We have practised every day after lessons for a month.",
                "At first it was difficult, because we had never played in front of a big audience,",
                "but now we feel much more confident and we are not afraid any more.",
                "We are going to play four songs, and I will play the drums in all of them.",
                "Our music teacher, Mr Brown, helps us a lot. He can play the guitar and the piano.",
                "Last week, after our long practice, he<gap> us a wonderful new song. We<gap> it three times.",
                "It is a very old song.",
                "He says it is<gap> song he has ever heard. We all think it sounds great, and we hope the audience",
                "will like it too.",
                "Do you remember Julia from my class? She sings with us now, and when she is on the stage she is really<gap>",
                "than she was last year. Her voice is amazing!",
                "Please come to the school concert if<gap> free on Friday evening.",
                ("See you,", {"sb": 6}),
                "Jack",
            ],
            "options": [
                ["teach", "taught", "teaches", "has teach"],
                ["played", "playing", "are play", "have played"],
                ["good", "better", "the best", "best"],
                ["more confident", "confident", "most confident", "confidenter"],
                ["you will be", "you are", "you be", "you were"],
            ],
            "key": "24312",
        },
        "t6": {
            "lines": [
                ("Прочитайте текст. Выберите в каждом списке слово, которое подходит к пропуску.", {}),
                ("<b>Our School Newspaper</b>", {}),
                "Two years ago a group of students in our school started a newspaper. At first there were",
                "only five of us, and we wrote all the articles ourselves. Now the newspaper has grown,",
                "and students from every class send us their stories and photos. Each issue has twelve pages.",
                "We write about school life, sport, music and films.",
                "We know that our readers <gap> enjoy the interviews with teachers,",
                "who tell us stories about their own school years and <gap> hobbies.",
                "Last month we interviewed our head teacher. She told us that she had wanted to be a pilot",
                "when she was a <gap> but later she decided to become a teacher of Physics.",
                "Making a newspaper is hard work. We meet every Tuesday to plan the next issue, and we",
                "often stay at school until late in the evening. Sometimes we argue a lot, but in the end we always agree on nearly <gap>.",
                "Our newspaper comes out once a month, and it is printed in the school library.",
                "Next year we are going to start a website, so that parents and former students",
                "can read it too. We hope that the school newspaper will live long after we leave school.",
                "All of us in the team <gap> look forward to that!",
            ],
            "options": ["child", "especially", "everything", "never", "really", "their", "those"],
            "key": "26135",
        },
    },
    {
        "no": 2,
        "t1": {
            "pre": _T1_PRE,
            "head": [
                _T1_HEAD_RU[0] % "телефонное сообщение",
                _T1_HEAD_RU[1],
                ("<b>Listen to the telephone message and complete the statements.</b>", {"sb": 8}),
                "You will hear the text twice. While you are listening, choose the option in each box",
                "that matches the text. Statement 0 is an example.",
                ("0. Kate is calling her friend <u>Sam</u>.", {"sb": 12}),
            ],
            "statements": [
                "Kate's birthday party on Sunday is now going to take place at",
                "On Sunday, the party is going to start at",
                "Kate's cousin Mike is coming too, and he is going to bring to the party",
                "As a birthday present, Kate would really like to get",
                "After the party, the guests will go home",
            ],
            "options": [
                ["Kate's house", "a restaurant", "a cafe"],
                ["five o'clock", "six o'clock", "seven o'clock"],
                ["a cake", "his guitar", "some photos"],
                ["a book", "some flowers", "a game"],
                ["by bus", "on foot", "by car"],
            ],
            "key": "22213",
        },
        "t2": {
            "ru": _T2_RU,
            "situation": "You would like to learn to cook and are thinking of joining a cooking class. "
                         "Study the advertisement.",
            "ad": "<b>YOUNG CHEFS</b><line>Cooking classes for teenagers<line>"
                  "Pizza \u2022 Cakes \u2022 Dishes from around the world",
            "ask": "In 1.5 minutes you are to ask <b>four direct questions</b> to find out about the following:",
            "points": ["days of the classes", "length of a class", "what to bring", "price of one class"],
            "close": _T2_CLOSE,
        },
        "t3": {
            "ru": _T3_RU,
            "photos": ["in the mountains", "in the garden", "on the river"],
            "task": _T3_TASK,
            "plan_intro": "<b>These are photos from your photo album. Choose one photo to present to your "
                          "friend.</b> In your talk remember to speak about:",
            "plan": _T3_PLAN,
            "close": _T3_CLOSE,
        },
        "t4": {
            "lines": [
                ("Прочитайте текст. Выберите в каждом списке слово, которое подходит по смыслу к пропуску.", {}),
                ("<b>The School Garden</b>", {}),
                "In March our class bought flower <gap> and decided to start a garden.",
                "There was an empty piece of land behind the school, but it was full of stones and old",
                "boxes. We worked there every Saturday for a month to make it clean.",
                "Then, at the beginning of May, we <gap> roses, tulips, potatoes and tomatoes.",
                "Everyone had a job. Some students made a small fence, others painted a sign with the",
                "name of our garden. In the summer it was very hot and dry, so we had to",
                "come to the garden every evening to <gap> the plants, even during the holidays.",
                "We took turns, so that each of us came once or twice a week. It was hard work,",
                "but we enjoyed it, and the plants grew very quickly.",
                "Some of our very kind and friendly <gap>, who live near the school, often helped us.",
                "An old man from the house across the road gave us good advice about growing vegetables.",
                "He also lent us his tools when ours broke.",
                "Thanks to him, we did not lose a single plant.",
                "In September we had a wonderful <gap> of potatoes and tomatoes.",
                "We cooked a big lunch for the whole class and invited our teachers and neighbours.",
                "Next year we want to plant apple trees, and maybe we will grow strawberries too.",
            ],
            "options": ["borrowed", "harvest", "lazy", "neighbours", "planted", "seeds", "sunny", "water"],
            "key": "65842",
        },
        "t5": {
            "lines": [
                ("Прочитайте рассказ. Выберите в каждом списке форму слова, которая подходит к пропуску.", {}),
                ("<b>The Lost Dog</b>", {"sb": 6}),
                "One cold morning in January, Ben was walking to school when he heard a strange noise.",
                "It came from under an old car. Ben looked under it and saw a small brown dog.",
                "The dog was wet and looked very hungry, so Ben gave it half of his sandwich.",
                "Then he took off his scarf and put it around the little dog to keep it warm.",
                "The dog stopped shaking and started to wag its tail. Ben decided to find its owner.",
                "He looked at the dog carefully.",
                "On the little dog's old blue collar there<gap> a phone number, and Ben quickly<gap> the owner.",
                "She was an old lady who lived in the next street.",
                "She said it was<gap> day of her life, because she had looked for her dog all night.",
                "She thanked Ben many times and asked for the name of his school.",
                "The next day the lady came to our school with a big chocolate cake for us and told everyone there that Ben<gap>",
                "a real hero.",
                "Ben visits the dog on Sundays, and they<gap> good friends since then.",
                ("<i>(adapted from a school magazine)</i>", {"sb": 6}),
            ],
            "options": [
                ["is", "was", "were", "be"],
                ["calls", "called", "has call", "calling"],
                ["happy", "happier", "the happiest", "happiest"],
                ["is being", "were", "be", "was"],
                ["are", "have been", "were being", "be"],
            ],
            "key": "22342",
        },
        "t6": {
            "lines": [
                ("Прочитайте текст. Выберите в каждом списке слово, которое подходит к пропуску.", {}),
                ("<b>A Trip to the Lake</b>", {}),
                "Last weekend my friends and I decided to go to the lake by bike. It is about twenty",
                "kilometres from our town, and the road goes through a beautiful forest.",
                "We left early in the morning, and the weather was perfect.",
                "The sun was shining, and the birds were singing.",
                "Through the forest we rode <gap> for two hours and stopped only once",
                "to drink some water, eat an apple and have a look at the <gap> map.",
                "When we arrived, we were so hot that we jumped into the water at once.",
                "After an hour of <gap> we had a picnic on the grass near the lake.",
                "In the afternoon the sky suddenly became dark, and we understood that a storm was coming",
                "and we had to go home. We rode back through the forest as fast as we could and arrived home just before the <gap>.",
                "We were tired but happy. My mum was a little worried about us, but she laughed when",
                "she saw our red faces. Next time we will take a tent and stay there for the night,",
                "if our parents agree. I think it will be even more fun.",
                "My friends and I have <gap> planned the route!",
            ],
            "options": ["already", "because", "old", "rain", "slowly", "swimming", "yet"],
            "key": "53641",
        },
    },
]
