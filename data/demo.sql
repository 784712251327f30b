-- Dados de demonstração da estação de controle de arrancada.
--
-- Carregado uma única vez num banco vazio cujas tabelas já existem.
-- Os códigos (CODIGO) são fixos para que as referências entre tabelas
-- fiquem estáveis e possam ser citadas nos roteiros de teste e de demonstração.
-- O contador de auto-incremento de cada tabela avança sozinho para depois
-- do maior código inserido, então os cadastros feitos pela tela continuam
-- recebendo códigos novos normalmente.
--
-- Regras seguidas por este arquivo:
--   cada comando termina com ponto e vírgula no fim da linha, e nenhum
--   texto entre aspas contém ponto e vírgula (o carregador divide por ele).

-- ---------------------------------------------------------------------
-- Organizador e configuração da estação
-- As duas linhas únicas (CODIGO 1) nascem com o banco: aqui só se alteram.
-- ---------------------------------------------------------------------
UPDATE organizador SET
  ORGANIZADOR = 'Pantanal Arrancada Eventos',
  FONE = '(67) 3321-4580',
  SITE = 'www.pantanalarrancada.com.br',
  EMAIL = 'contato@pantanalarrancada.com.br',
  CIDADE = 'Campo Grande - MS',
  WEB = 'N',
  OP_MONITOR = 1,
  SALDO_WHATS = 150,
  SALDO_SMS = 0,
  SALDO_ONTARGET = 0
WHERE CODIGO = 1;

-- Bobina de 80 mm, pontos parciais rotulados 100M e 201M,
-- ticket impresso automaticamente.
UPDATE configuracao SET
  IMPRESSORA_TICKET = '8',
  LADO_PISTA = 'D',
  S_50M = '100M',
  S_100M = '201M',
  PRINT_TICKET_AUTO = 'A',
  AUTO_START = 'N',
  EQUIPAMENTO = 'V'
WHERE CODIGO = 1;

-- ---------------------------------------------------------------------
-- Campeonatos
-- O segundo campeonato existe para que a tela de seleção mostre mais
-- de uma opção logo na primeira abertura.
-- ---------------------------------------------------------------------
INSERT INTO campeonato (CODIGO, CAMPEONATO, DETALHES, WEB, BONUS, TEMPO_MINIMO, JEEP, PATROCINADOR, LOGOTIPO, LARG_LANCADA, VEL_MAX_LANCADO, PROSOLO) VALUES
  (1, 'Campeonato Regional de Arrancada 2026', 'Campeonato em etapas na pista de 201 metros, com categorias por índice, OnTarget, handicap e mata-mata.', 'N', 'N', 'S', 'N', 'Auto Peças Pantanal', '', 'N', 0, 'N'),
  (2, 'Copa Centro-Oeste de Arrancada 2025', 'Edição anterior, mantida para consulta de resultados.', 'N', 'N', 'N', 'N', 'Retífica Centro-Oeste', '', 'N', 0, 'N');

-- ---------------------------------------------------------------------
-- Eventos (etapas)
-- Pista de 201 m com parciais em 50, 100 e 201 m. As inscrições novas
-- já entram aprovadas (APROVA_AUTO = S).
-- ---------------------------------------------------------------------
INSERT INTO evento (CODIGO, EVENTO, DATA, LOCAL, COD_CAMPEONATO, WEB, LOGOTIPO_EVENTO, COMPRIMENTO_PISTA, APROVA_AUTO, DIAL_AUTO, PARCIAL01, PARCIAL02, PARCIAL03, ID_EVENTO_SITE, TOPSPEED, CLASS_AUTO, CLASS_TROCA_AUTO) VALUES
  (1, '1ª Etapa', '2026-11-14', 'Pista de Arrancada do Pantanal', 1, 'N', '', 201, 'S', 'N', 50, 100, 201, 0, 'N', 'N', 'N'),
  (2, '2ª Etapa', '2026-12-12', 'Pista de Arrancada do Pantanal', 1, 'N', '', 201, 'S', 'N', 50, 100, 201, 0, 'N', 'N', 'N'),
  (3, 'Etapa Única', '2025-08-23', 'Aeródromo Municipal de Dourados', 2, 'N', '', 201, 'S', 'N', 50, 100, 201, 0, 'N', 'N', 'N');

-- ---------------------------------------------------------------------
-- Categorias
-- Campeonato 1:
--   1 FL    comum, sem tempo mínimo, faixa de pista abaixo de 7,5 s
--   2 T75   comum, mínimo 7,5 s no tempo de pista (P), pai do mata-mata
--   3 ST10  comum, mínimo 10,0 s no tempo total (T)
--   4 ONT   OnTarget (NA_MOSCA = S), usa o TMP_ALVO de cada veículo
--   5 HC    handicap (árvore modo 2) com dial-in automático
--   6 MM75  mata-mata de 8 carros alimentado pela T75
--   7 SHARK shark tank
--   8 TR    treino
-- Campeonato 2:
--   9 LIV   comum
-- As categorias OnTarget, handicap, shark tank e treino ficam
-- com TEMPO_MAX 0: assim a separação de pilotos por faixa de tempo nunca
-- move passagens para dentro delas.
-- ---------------------------------------------------------------------
INSERT INTO categoria (CODIGO, SIGLA, CATEGORIA, DESCRICAO, COD_CAMPEONATO, WEB, TEMPO_MINIMO, RECORD_TEMPO, RECORD_PILOTO, DATA_RECORD, MIN_PISTA_TOTAL, TEMPO_MAX, TXT_PAINEL, SHARKTANK, TREE_MODE, MATA_MATA, CAT_TREINO, TREINO, LISTA, DIAL_AUTO, NA_MOSCA, AUTO_START, CATEG_PAI, MATA_MATA_QUANT, MATA_MATA_ORDENA, MATA_MATA_TOTAL_VEIC, WHATS_ENVIOU) VALUES
  (1, 'FL', 'Força Livre', 'Sem tempo mínimo, para os carros mais rápidos. Separação abaixo de 7,500 s de pista.', 1, 'N', 0.000, 6.412, 'Carlos Eduardo Ferreira', '2026-05-16', 'P', 7.500, 'LIVRE', 'N', 0, 'N', 'N', 'N', 'N', 'N', 'N', 'N', 0, 0, 'P', 0, 'N'),
  (2, 'T75', 'Turbo Índice 7.5', 'Índice de 7,500 s no tempo de pista. Passagem abaixo do índice desclassifica. Classificatória do mata-mata.', 1, 'N', 7.500, 7.503, 'Paulo Roberto Gonçalves', '2026-08-22', 'P', 8.500, 'T7.5', 'N', 0, 'N', 'N', 'N', 'N', 'N', 'N', 'N', 0, 0, 'P', 0, 'N'),
  (3, 'ST10', 'Street Índice 10', 'Carros de rua com índice de 10,000 s no tempo total (reação mais pista).', 1, 'N', 10.000, NULL, NULL, NULL, 'T', 13.000, 'ST10', 'N', 1, 'N', 'N', 'N', 'N', 'N', 'N', 'N', 0, 0, 'P', 0, 'N'),
  (4, 'ONT', 'OnTarget', 'Vence quem chegar mais perto do próprio tempo alvo sem ficar abaixo dele.', 1, 'N', 0.000, NULL, NULL, NULL, 'T', 0.000, 'ALVO', 'N', 1, 'N', 'N', 'N', 'N', 'N', 'S', 'N', 0, 0, 'P', 0, 'N'),
  (5, 'HC', 'Handicap Dial-In', 'Largada com atraso calculado pela diferença entre os melhores tempos de pista dos dois carros.', 1, 'N', 0.000, NULL, NULL, NULL, 'P', 0.000, 'HCAP', 'N', 2, 'N', 'N', 'N', 'N', 'S', 'N', 'N', 0, 0, 'P', 0, 'N'),
  (6, 'MM75', 'Mata-Mata Turbo 7.5', 'Chave de 8 carros formada pelos melhores tempos da categoria Turbo Índice 7.5.', 1, 'N', 7.500, NULL, NULL, NULL, 'P', 8.500, 'MM75', 'N', 0, 'S', 'N', 'N', 'N', 'N', 'N', 'N', 2, 8, 'P', 8, 'N'),
  (7, 'SHARK', 'Shark Tank', 'Recebe uma cópia de toda passagem válida do campeonato, de qualquer categoria.', 1, 'N', 0.000, NULL, NULL, NULL, 'P', 0.000, 'SHARK', 'S', 0, 'N', 'N', 'N', 'N', 'N', 'N', 'N', 0, 0, 'P', 0, 'N'),
  (8, 'TR', 'Treino Livre', 'Passagens de treino antes da classificação. Não contam para o resultado.', 1, 'N', 0.000, NULL, NULL, NULL, 'P', 0.000, 'TREIN', 'N', 1, 'N', 'N', 'S', 'N', 'N', 'N', 'N', 0, 0, 'P', 0, 'N'),
  (9, 'LIV', 'Livre', 'Categoria única da copa.', 2, 'N', 0.000, 6.988, 'Carlos Eduardo Ferreira', '2025-08-23', 'P', 12.000, 'LIVRE', 'N', 0, 'N', 'N', 'N', 'N', 'N', 'N', 'N', 0, 0, 'P', 0, 'N');

-- ---------------------------------------------------------------------
-- Veículos e pilotos
-- PLACA é o número pintado no carro (só dígitos), único no campeonato.
-- TMP_DIAL preenchido para quem corre o handicap, TMP_ALVO para quem corre
-- o OnTarget. O 33 não participa do shark tank (NOSHARK = S).
-- CPF, CNH, RG e telefones são fictícios.
-- Campeonato 1: códigos 1 a 24.  Campeonato 2: códigos 25 a 27
-- (o 25 é o mesmo piloto do 1, com os mesmos documentos e celular, o que
-- permite testar a importação de dados pela busca de telefone ou CPF).
-- ---------------------------------------------------------------------
INSERT INTO veiculo (CODIGO, PLACA, COD_CAMPEONATO, VEICULO, PILOTO, APELIDO, CIDADE, DETALHES_VEICULO, EQUIPE, EMAIL, CELULAR, WEB, CPF, CNH, FOTO, TMP_DIAL, NOSHARK, RG, TMP_DIAL_AUTO, NOME_ARQ_FOTO, NOME_ARQ_FOTO_carro, TMP_ALVO) VALUES
  (1, '10', 1, 'Opala 4.1 Turbo', 'Carlos Eduardo Ferreira', 'Cadu', 'Campo Grande - MS', '', 'Ferreira Racing', 'carlos.ferreira@email.com.br', '67993816581', 'N', '725.760.056-88', '48058089504', '', 0.000, 'N', '1.146.516', 0.000, '', '', 0.000),
  (2, '11', 1, 'Chevette 2.0 Turbo', 'Rodrigo Almeida Santos', 'Digão', 'Dourados - MS', '', 'Almeida Motorsport', 'rodrigo.santos@email.com.br', '67969110409', 'N', '289.832.155-73', '43891891143', '', 0.000, 'N', '2.341.840', 0.000, '', '', 0.000),
  (3, '12', 1, 'Fusca 2.2 Turbo', 'Marcelo Augusto Ribeiro', 'Marcelão', 'Três Lagoas - MS', '', 'Fuscão Preto Racing', 'marcelo.ribeiro@email.com.br', '67955314463', 'N', '728.213.191-23', '42834971449', '', 0.000, 'N', '1.034.364', 0.000, '', '', 0.000),
  (4, '13', 1, 'Gol GTI AP 2.0 Turbo', 'Thiago Henrique Barbosa', 'Thiaguinho', 'Ponta Porã - MS', '', 'TH Preparações', 'thiago.barbosa@email.com.br', '67933531545', 'N', '674.835.602-11', '51390941549', '', 0.000, 'N', '2.540.438', 0.000, '', '', 0.000),
  (5, '14', 1, 'Santana 2.0 Turbo', 'João Pedro Nogueira', 'JP', 'Campo Grande - MS', '', 'Nogueira Turbo', 'joao.nogueira@email.com.br', '67953671092', 'N', '942.568.919-99', '38491403319', '', 0.000, 'N', '2.891.459', 0.000, '', '', 0.000),
  (6, '15', 1, 'Golf GTI 1.8 Turbo', 'Felipe Augusto Carvalho', 'Felipão', 'Cuiabá - MT', '', 'Carvalho Motors', 'felipe.carvalho@email.com.br', '65948547244', 'N', '329.394.561-54', '52745549593', '', 0.000, 'N', '1.302.119', 0.000, '', '', 0.000),
  (7, '16', 1, 'Uno 1.6 Turbo', 'Anderson Luiz Pereira', 'Andinho', 'Corumbá - MS', '', 'Pereira Speed', 'anderson.pereira@email.com.br', '67939739602', 'N', '055.726.444-05', '84961618713', '', 0.000, 'N', '2.086.128', 0.000, '', '', 0.000),
  (8, '17', 1, 'Corsa 1.6 Turbo', 'Leandro da Silva Moraes', 'Lê', 'Aquidauana - MS', '', 'Moraes Racing', 'leandro.moraes@email.com.br', '67917437038', 'N', '698.867.118-50', '77349626630', '', 0.000, 'N', '2.248.691', 0.000, '', '', 0.000),
  (9, '18', 1, 'Escort XR3 2.0 Turbo', 'Ricardo José Monteiro', 'Rick', 'Rio Verde - GO', '', 'Monteiro Performance', 'ricardo.monteiro@email.com.br', '64954057857', 'N', '551.358.576-64', '30778636665', '', 0.000, 'N', '1.528.413', 0.000, '', '', 0.000),
  (10, '19', 1, 'Voyage AP 1.8 Turbo', 'Bruno César Oliveira', 'Bruninho', 'Campo Grande - MS', '', 'Oliveira Garage', 'bruno.oliveira@email.com.br', '67959081083', 'N', '736.324.450-79', '70629765440', '', 0.000, 'N', '1.615.242', 0.000, '', '', 0.000),
  (11, '20', 1, 'Civic Si 2.0 Turbo', 'Gustavo Henrique Lima', 'Guga', 'Maringá - PR', '', 'Lima Racing Team', 'gustavo.lima@email.com.br', '44973473074', 'N', '613.695.957-83', '48900689539', '', 0.000, 'N', '1.457.525', 0.000, '', '', 0.000),
  (12, '21', 1, 'Omega 4.1 Turbo', 'Paulo Roberto Gonçalves', 'Paulão', 'Presidente Prudente - SP', '', 'Gonçalves Turbo', 'paulo.goncalves@email.com.br', '18945666410', 'N', '197.424.157-82', '94725237954', '', 0.000, 'N', '2.879.005', 0.000, '', '', 0.000),
  (13, '22', 1, 'Maverick V8 302 Turbo', 'Sérgio Antônio Mendes', 'Serjão', 'Campo Grande - MS', '', 'V8 Pantaneiro', 'sergio.mendes@email.com.br', '67973789174', 'N', '470.932.813-73', '16057730201', '', 0.000, 'N', '2.341.170', 0.000, '', '', 0.000),
  (14, '23', 1, 'Passat TS 1.8 Turbo', 'Diego Fernandes Rocha', 'Diegão', 'Naviraí - MS', '', 'Rocha Preparações', 'diego.rocha@email.com.br', '67986013552', 'N', '734.995.042-20', '92545690900', '', 0.000, 'N', '1.698.505', 0.000, '', '', 0.000),
  (15, '24', 1, 'Gol 1.6 AP Aspirado', 'Vinícius Martins Costa', 'Vini', 'Campo Grande - MS', '', 'Street MS', 'vinicius.costa@email.com.br', '67929641033', 'N', '301.321.650-44', '28978227288', '', 10.900, 'N', '1.922.908', 0.000, '', '', 0.000),
  (16, '25', 1, 'Saveiro 1.8 Aspirado', 'Luciana Cristina Alves', 'Lu', 'Sidrolândia - MS', '', 'Garotas do Asfalto', 'luciana.alves@email.com.br', '67924850554', 'N', '753.819.233-50', '25589862276', '', 0.000, 'N', '2.982.075', 0.000, '', '', 12.300),
  (17, '26', 1, 'Palio 1.6 16V', 'Fábio Ricardo Souza', 'Fabinho', 'Maracaju - MS', '', 'Souza Motors', 'fabio.souza@email.com.br', '67908349049', 'N', '915.339.573-92', '87695108625', '', 0.000, 'N', '1.868.425', 0.000, '', '', 0.000),
  (18, '27', 1, 'Chevette 1.6 Aspirado', 'Renato Aparecido Dias', 'Renatinho', 'Nova Andradina - MS', '', 'Dias Garage', 'renato.dias@email.com.br', '67976489266', 'N', '899.618.056-67', '35769831702', '', 0.000, 'N', '1.920.929', 0.000, '', '', 0.000),
  (19, '28', 1, 'Honda Fit 1.5', 'Mariana Souza Prado', 'Mari', 'Campo Grande - MS', '', 'Prado Competições', 'mariana.prado@email.com.br', '67950683945', 'N', '500.344.778-19', '79592813571', '', 0.000, 'N', '2.980.641', 0.000, '', '', 11.500),
  (20, '29', 1, 'Corolla 2.0 Flex', 'Eduardo Tavares Pinto', 'Dudu', 'Bonito - MS', '', 'Tavares Racing', 'eduardo.pinto@email.com.br', '67968851934', 'N', '287.757.698-85', '24057504385', '', 0.000, 'N', '2.431.107', 0.000, '', '', 10.800),
  (21, '30', 1, 'Camaro SS 6.2 V8', 'Alexandre Nunes Freitas', 'Xandão', 'Campo Grande - MS', '', 'Freitas V8', 'alexandre.freitas@email.com.br', '67992948655', 'N', '781.740.529-53', '18519881865', '', 0.000, 'N', '1.370.117', 0.000, '', '', 8.900),
  (22, '31', 1, 'Opala 4.1 Aspirado', 'Roberto Carlos Vieira', 'Betão', 'Coxim - MS', '', 'Vieira Seis Cilindros', 'roberto.vieira@email.com.br', '67915635899', 'N', '150.556.356-03', '79232964622', '', 9.850, 'N', '1.980.683', 0.000, '', '', 0.000),
  (23, '32', 1, 'Dodge Charger R/T 318', 'José Luiz Cardoso', 'Zé Luiz', 'Jardim - MS', '', 'Cardoso Mopar', 'jose.cardoso@email.com.br', '67969339247', 'N', '857.986.529-35', '21922494784', '', 10.250, 'N', '1.116.134', 0.000, '', '', 0.000),
  (24, '33', 1, 'Gol Quadrado 1.8 AP', 'Wellington Rodrigues Melo', 'Tom', 'Campo Grande - MS', '', 'Melo Garage', 'wellington.melo@email.com.br', '67908005438', 'N', '320.346.430-49', '55038197538', '', 11.400, 'S', '1.006.879', 0.000, '', '', 0.000),
  (25, '40', 2, 'Opala 4.1 Turbo', 'Carlos Eduardo Ferreira', 'Cadu', 'Campo Grande - MS', '', 'Ferreira Racing', 'carlos.ferreira@email.com.br', '67993816581', 'N', '725.760.056-88', '48058089504', '', 0.000, 'N', '1.146.516', 0.000, '', '', 0.000),
  (26, '41', 2, 'Kadett 2.0 Turbo', 'Marcos Vinícius Batista', 'Marquinhos', 'Dourados - MS', '', 'Batista Turbo', 'marcos.batista@email.com.br', '67909877723', 'N', '591.366.130-41', '00992622171', '', 0.000, 'N', '2.727.768', 0.000, '', '', 0.000),
  (27, '42', 2, 'Parati 1.8 Turbo', 'Adriana Lopes Teixeira', 'Dri', 'Rio Brilhante - MS', '', 'Teixeira Racing', 'adriana.teixeira@email.com.br', '67922438910', 'N', '178.928.819-15', '69633819690', '', 0.000, 'N', '2.820.955', 0.000, '', '', 0.000);

-- ---------------------------------------------------------------------
-- Inscrições
-- 1ª Etapa (evento 1): todos aprovados, cada carro na categoria em que
-- correu, mais os 8 classificados da T75 já inscritos no mata-mata MM75
-- (a tela do mata-mata faria o mesmo ao montar a chave).
-- 2ª Etapa (evento 2): a etapa a ser corrida na demonstração. Quatro
-- inscrições ficam pendentes (VALIDO = N) para testar a aprovação.
-- Etapa Única (evento 3): os três carros do campeonato 2.
-- ---------------------------------------------------------------------
INSERT INTO inscricao (CODIGO, COD_EVENTO, COD_CATEGORIA, COD_VEICULO, VALIDO, WEB, ONTARGET) VALUES
  (1, 1, 2, 5, 'S', 'N', 0),
  (2, 1, 2, 6, 'S', 'N', 0),
  (3, 1, 2, 7, 'S', 'N', 0),
  (4, 1, 2, 8, 'S', 'N', 0),
  (5, 1, 2, 9, 'S', 'N', 0),
  (6, 1, 2, 10, 'S', 'N', 0),
  (7, 1, 2, 11, 'S', 'N', 0),
  (8, 1, 2, 12, 'S', 'N', 0),
  (9, 1, 2, 13, 'S', 'N', 0),
  (10, 1, 1, 1, 'S', 'N', 0),
  (11, 1, 1, 2, 'S', 'N', 0),
  (12, 1, 1, 3, 'S', 'N', 0),
  (13, 1, 3, 15, 'S', 'N', 0),
  (14, 1, 3, 16, 'S', 'N', 0),
  (15, 1, 3, 17, 'S', 'N', 0),
  (16, 1, 4, 19, 'S', 'N', 0),
  (17, 1, 4, 20, 'S', 'N', 0),
  (18, 1, 5, 22, 'S', 'N', 0),
  (19, 1, 5, 23, 'S', 'N', 0),
  (20, 1, 6, 7, 'S', 'N', 0),
  (21, 1, 6, 12, 'S', 'N', 0),
  (22, 1, 6, 5, 'S', 'N', 0),
  (23, 1, 6, 8, 'S', 'N', 0),
  (24, 1, 6, 11, 'S', 'N', 0),
  (25, 1, 6, 6, 'S', 'N', 0),
  (26, 1, 6, 10, 'S', 'N', 0),
  (27, 1, 6, 9, 'S', 'N', 0),
  (28, 2, 1, 1, 'S', 'N', 0),
  (29, 2, 7, 1, 'S', 'N', 0),
  (30, 2, 1, 2, 'S', 'N', 0),
  (31, 2, 7, 2, 'S', 'N', 0),
  (32, 2, 1, 3, 'S', 'N', 0),
  (33, 2, 1, 4, 'N', 'N', 0),
  (34, 2, 2, 5, 'S', 'N', 0),
  (35, 2, 7, 5, 'S', 'N', 0),
  (36, 2, 2, 6, 'S', 'N', 0),
  (37, 2, 2, 7, 'S', 'N', 0),
  (38, 2, 2, 8, 'S', 'N', 0),
  (39, 2, 2, 9, 'S', 'N', 0),
  (40, 2, 2, 10, 'S', 'N', 0),
  (41, 2, 2, 11, 'S', 'N', 0),
  (42, 2, 2, 12, 'S', 'N', 0),
  (43, 2, 2, 13, 'S', 'N', 0),
  (44, 2, 2, 14, 'N', 'N', 0),
  (45, 2, 3, 15, 'S', 'N', 0),
  (46, 2, 5, 15, 'S', 'N', 0),
  (47, 2, 3, 16, 'S', 'N', 0),
  (48, 2, 4, 16, 'S', 'N', 0),
  (49, 2, 3, 17, 'S', 'N', 0),
  (50, 2, 8, 17, 'S', 'N', 0),
  (51, 2, 3, 18, 'N', 'N', 0),
  (52, 2, 4, 19, 'S', 'N', 0),
  (53, 2, 4, 20, 'S', 'N', 0),
  (54, 2, 4, 21, 'N', 'N', 0),
  (55, 2, 5, 22, 'S', 'N', 0),
  (56, 2, 5, 23, 'S', 'N', 0),
  (57, 2, 5, 24, 'S', 'N', 0),
  (58, 2, 8, 24, 'S', 'N', 0),
  (59, 3, 9, 25, 'S', 'N', 0),
  (60, 3, 9, 26, 'S', 'N', 0),
  (61, 3, 9, 27, 'S', 'N', 0);

-- ---------------------------------------------------------------------
-- Passagens gravadas na 1ª Etapa
-- Para os relatórios e a classificação terem conteúdo. TFINAL = REACAO +
-- TPISTA. T50 e T100 são os tempos nos pontos rotulados 100M e 201M.
-- Cada passagem válida tem a sua cópia no shark tank (categoria 7,
-- SHARKTANK = S), como a gravação faz. Os dois carros de uma mesma
-- largada compartilham DATA, HORA e número de RACE.
-- WHATS_ENVIADO = S para que nenhuma mensagem antiga seja reenviada.
-- ---------------------------------------------------------------------
INSERT INTO resultados (CODIGO, COD_EVENTO, COD_VEICULO, COD_CATEGORIA, LADO_PISTA, STATUS, BATERIA, DATA, HORA, REACAO, TPISTA, TFINAL, TPES, TPENALIZACAO, TVEL_FINAL, T100, T50, VEL_INICIAL, VEL_FINAL, VEL_PARC1, VEL_PARC2, SMS_ENVIADO, WHATS_ENVIADO, SHARKTANK, LISTA, TMP_ALVO, NA_MOSCA, RACE) VALUES
  (1, 1, 5, 2, 'Esquerda', 'Valido', '1', '2026-11-14', '14:05:00', 0.092, 8.178, 8.270, 1.646, 0, 167.5, 8.178, 5.399, 0, 167.5, 132.6, 167.5, 'N', 'S', 'N', 'N', NULL, NULL, 1),
  (2, 1, 5, 7, 'Esquerda', 'Valido', '1', '2026-11-14', '14:05:00', 0.092, 8.178, 8.270, 1.646, NULL, 167.5, 8.178, 5.399, 0, 167.5, 132.6, 167.5, 'N', 'S', 'S', NULL, NULL, NULL, NULL),
  (3, 1, 6, 2, 'Direita', 'Valido', '1', '2026-11-14', '14:05:00', 0.343, 8.135, 8.478, 1.545, 0, 167.3, 8.135, 5.410, 0, 167.3, 130.9, 167.3, 'N', 'S', 'N', 'N', NULL, NULL, 1),
  (4, 1, 6, 7, 'Direita', 'Valido', '1', '2026-11-14', '14:05:00', 0.343, 8.135, 8.478, 1.545, NULL, 167.3, 8.135, 5.410, 0, 167.3, 130.9, 167.3, 'N', 'S', 'S', NULL, NULL, NULL, NULL),
  (5, 1, 7, 2, 'Esquerda', 'Valido', '1', '2026-11-14', '14:08:33', 0.297, 7.772, 8.069, 1.590, 0, 175.8, 7.772, 5.195, 0, 175.8, 134.8, 175.8, 'N', 'S', 'N', 'N', NULL, NULL, 2),
  (6, 1, 7, 7, 'Esquerda', 'Valido', '1', '2026-11-14', '14:08:33', 0.297, 7.772, 8.069, 1.590, NULL, 175.8, 7.772, 5.195, 0, 175.8, 134.8, 175.8, 'N', 'S', 'S', NULL, NULL, NULL, NULL),
  (7, 1, 8, 2, 'Direita', 'Valido', '1', '2026-11-14', '14:08:33', 0.146, 8.040, 8.186, 1.593, 0, 169.5, 8.040, 5.294, 0, 169.5, 135.3, 169.5, 'N', 'S', 'N', 'N', NULL, NULL, 2),
  (8, 1, 8, 7, 'Direita', 'Valido', '1', '2026-11-14', '14:08:33', 0.146, 8.040, 8.186, 1.593, NULL, 169.5, 8.040, 5.294, 0, 169.5, 135.3, 169.5, 'N', 'S', 'S', NULL, NULL, NULL, NULL),
  (9, 1, 9, 2, 'Esquerda', 'Valido', '1', '2026-11-14', '14:12:45', 0.249, 8.419, 8.668, 1.679, 0, 163.3, 8.419, 5.587, 0, 163.3, 128.2, 163.3, 'N', 'S', 'N', 'N', NULL, NULL, 3),
  (10, 1, 9, 7, 'Esquerda', 'Valido', '1', '2026-11-14', '14:12:45', 0.249, 8.419, 8.668, 1.679, NULL, 163.3, 8.419, 5.587, 0, 163.3, 128.2, 163.3, 'N', 'S', 'S', NULL, NULL, NULL, NULL),
  (11, 1, 10, 2, 'Direita', 'Valido', '1', '2026-11-14', '14:12:45', 0.293, 7.911, 8.204, 1.584, 0, 172.4, 7.911, 5.276, 0, 172.4, 131.6, 172.4, 'N', 'S', 'N', 'N', NULL, NULL, 3),
  (12, 1, 10, 7, 'Direita', 'Valido', '1', '2026-11-14', '14:12:45', 0.293, 7.911, 8.204, 1.584, NULL, 172.4, 7.911, 5.276, 0, 172.4, 131.6, 172.4, 'N', 'S', 'S', NULL, NULL, NULL, NULL),
  (13, 1, 11, 2, 'Esquerda', 'Valido', '1', '2026-11-14', '14:15:33', 0.174, 8.277, 8.451, 1.548, 0, 167.2, 8.277, 5.496, 0, 167.2, 127.4, 167.2, 'N', 'S', 'N', 'N', NULL, NULL, 4),
  (14, 1, 11, 7, 'Esquerda', 'Valido', '1', '2026-11-14', '14:15:33', 0.174, 8.277, 8.451, 1.548, NULL, 167.2, 8.277, 5.496, 0, 167.2, 127.4, 167.2, 'N', 'S', 'S', NULL, NULL, NULL, NULL),
  (15, 1, 12, 2, 'Direita', 'Valido', '1', '2026-11-14', '14:15:33', 0.154, 7.747, 7.901, 1.582, 0, 174.2, 7.747, 5.182, 0, 174.2, 138.1, 174.2, 'N', 'S', 'N', 'N', NULL, NULL, 4),
  (16, 1, 12, 7, 'Direita', 'Valido', '1', '2026-11-14', '14:15:33', 0.154, 7.747, 7.901, 1.582, NULL, 174.2, 7.747, 5.182, 0, 174.2, 138.1, 174.2, 'N', 'S', 'S', NULL, NULL, NULL, NULL),
  (17, 1, 13, 2, 'Esquerda', 'Valido', '1', '2026-11-14', '14:18:47', 0.159, 8.331, 8.490, 1.631, 0, 162.7, 8.331, 5.530, 0, 162.7, 127.7, 162.7, 'N', 'S', 'N', 'N', NULL, NULL, 5),
  (18, 1, 13, 7, 'Esquerda', 'Valido', '1', '2026-11-14', '14:18:47', 0.159, 8.331, 8.490, 1.631, NULL, 162.7, 8.331, 5.530, 0, 162.7, 127.7, 162.7, 'N', 'S', 'S', NULL, NULL, NULL, NULL),
  (19, 1, 1, 1, 'Esquerda', 'Valido', '1', '2026-11-14', '14:21:46', 0.247, 6.659, 6.906, 1.236, 0, 203.8, 6.659, 4.379, 0, 203.8, 161.3, 203.8, 'N', 'S', 'N', 'N', NULL, NULL, 1),
  (20, 1, 1, 7, 'Esquerda', 'Valido', '1', '2026-11-14', '14:21:46', 0.247, 6.659, 6.906, 1.236, NULL, 203.8, 6.659, 4.379, 0, 203.8, 161.3, 203.8, 'N', 'S', 'S', NULL, NULL, NULL, NULL),
  (21, 1, 2, 1, 'Direita', 'Valido', '1', '2026-11-14', '14:21:46', 0.325, 6.955, 7.280, 1.413, 0, 194.0, 6.955, 4.581, 0, 194.0, 149.7, 194.0, 'N', 'S', 'N', 'N', NULL, NULL, 1),
  (22, 1, 2, 7, 'Direita', 'Valido', '1', '2026-11-14', '14:21:46', 0.325, 6.955, 7.280, 1.413, NULL, 194.0, 6.955, 4.581, 0, 194.0, 149.7, 194.0, 'N', 'S', 'S', NULL, NULL, NULL, NULL),
  (23, 1, 3, 1, 'Esquerda', 'Valido', '1', '2026-11-14', '14:25:34', 0.187, 7.010, 7.197, 1.384, 0, 197.3, 7.010, 4.646, 0, 197.3, 157.7, 197.3, 'N', 'S', 'N', 'N', NULL, NULL, 2),
  (24, 1, 3, 7, 'Esquerda', 'Valido', '1', '2026-11-14', '14:25:34', 0.187, 7.010, 7.197, 1.384, NULL, 197.3, 7.010, 4.646, 0, 197.3, 157.7, 197.3, 'N', 'S', 'S', NULL, NULL, NULL, NULL),
  (25, 1, 15, 3, 'Esquerda', 'Valido', '1', '2026-11-14', '14:28:33', 0.231, 10.412, 10.643, 2.107, 0, 138.3, 10.412, 6.901, 0, 138.3, 106.5, 138.3, 'N', 'S', 'N', 'N', NULL, NULL, 1),
  (26, 1, 15, 7, 'Esquerda', 'Valido', '1', '2026-11-14', '14:28:33', 0.231, 10.412, 10.643, 2.107, NULL, 138.3, 10.412, 6.901, 0, 138.3, 106.5, 138.3, 'N', 'S', 'S', NULL, NULL, NULL, NULL),
  (27, 1, 16, 3, 'Direita', 'Valido', '1', '2026-11-14', '14:28:33', 0.318, 10.987, 11.305, 2.109, 0, 129.3, 10.987, 7.282, 0, 129.3, 101.2, 129.3, 'N', 'S', 'N', 'N', NULL, NULL, 1),
  (28, 1, 16, 7, 'Direita', 'Valido', '1', '2026-11-14', '14:28:33', 0.318, 10.987, 11.305, 2.109, NULL, 129.3, 10.987, 7.282, 0, 129.3, 101.2, 129.3, 'N', 'S', 'S', NULL, NULL, NULL, NULL),
  (29, 1, 17, 3, 'Esquerda', 'Valido', '1', '2026-11-14', '14:31:17', 0.402, 10.855, 11.257, 2.020, 0, 129.4, 10.855, 7.264, 0, 129.4, 99.7, 129.4, 'N', 'S', 'N', 'N', NULL, NULL, 2),
  (30, 1, 17, 7, 'Esquerda', 'Valido', '1', '2026-11-14', '14:31:17', 0.402, 10.855, 11.257, 2.020, NULL, 129.4, 10.855, 7.264, 0, 129.4, 99.7, 129.4, 'N', 'S', 'S', NULL, NULL, NULL, NULL),
  (31, 1, 19, 4, 'Esquerda', 'Valido', '1', '2026-11-14', '14:34:05', 0.200, 11.337, 11.537, 2.180, 0, 125.7, 11.337, 7.585, 0, 125.7, 100.0, 125.7, 'N', 'S', 'N', 'N', 11.500, 0.037, 1),
  (32, 1, 19, 7, 'Esquerda', 'Valido', '1', '2026-11-14', '14:34:05', 0.200, 11.337, 11.537, 2.180, NULL, 125.7, 11.337, 7.585, 0, 125.7, 100.0, 125.7, 'N', 'S', 'S', NULL, NULL, NULL, NULL),
  (33, 1, 20, 4, 'Direita', 'Valido', '1', '2026-11-14', '14:34:05', 0.184, 10.608, 10.792, 2.120, 0, 131.7, 10.608, 7.089, 0, 131.7, 102.4, 131.7, 'N', 'S', 'N', 'N', 10.800, -0.008, 1),
  (34, 1, 20, 7, 'Direita', 'Valido', '1', '2026-11-14', '14:34:05', 0.184, 10.608, 10.792, 2.120, NULL, 131.7, 10.608, 7.089, 0, 131.7, 102.4, 131.7, 'N', 'S', 'S', NULL, NULL, NULL, NULL),
  (35, 1, 22, 5, 'Esquerda', 'Valido', '1', '2026-11-14', '14:38:21', 0.181, 10.298, 10.479, 2.032, 0, 137.5, 10.298, 6.783, 0, 137.5, 105.0, 137.5, 'N', 'S', 'N', 'N', NULL, NULL, 1),
  (36, 1, 22, 7, 'Esquerda', 'Valido', '1', '2026-11-14', '14:38:21', 0.181, 10.298, 10.479, 2.032, NULL, 137.5, 10.298, 6.783, 0, 137.5, 105.0, 137.5, 'N', 'S', 'S', NULL, NULL, NULL, NULL),
  (37, 1, 23, 5, 'Direita', 'Valido', '1', '2026-11-14', '14:38:21', 0.371, 11.092, 11.463, 2.186, 0, 131.1, 11.092, 7.431, 0, 131.1, 100.7, 131.1, 'N', 'S', 'N', 'N', NULL, NULL, 1),
  (38, 1, 23, 7, 'Direita', 'Valido', '1', '2026-11-14', '14:38:21', 0.371, 11.092, 11.463, 2.186, NULL, 131.1, 11.092, 7.431, 0, 131.1, 100.7, 131.1, 'N', 'S', 'S', NULL, NULL, NULL, NULL),
  (39, 1, 5, 2, 'Esquerda', 'Valido', '2', '2026-11-14', '14:42:20', 0.345, 7.742, 8.087, 1.583, 0, 177.0, 7.742, 5.111, 0, 177.0, 134.7, 177.0, 'N', 'S', 'N', 'N', NULL, NULL, 6),
  (40, 1, 5, 7, 'Esquerda', 'Valido', '2', '2026-11-14', '14:42:20', 0.345, 7.742, 8.087, 1.583, NULL, 177.0, 7.742, 5.111, 0, 177.0, 134.7, 177.0, 'N', 'S', 'S', NULL, NULL, NULL, NULL),
  (41, 1, 7, 2, 'Direita', 'Valido', '2', '2026-11-14', '14:42:20', 0.091, 7.807, 7.898, 1.537, 0, 174.0, 7.807, 5.120, 0, 174.0, 132.4, 174.0, 'N', 'S', 'N', 'N', NULL, NULL, 6),
  (42, 1, 7, 7, 'Direita', 'Valido', '2', '2026-11-14', '14:42:20', 0.091, 7.807, 7.898, 1.537, NULL, 174.0, 7.807, 5.120, 0, 174.0, 132.4, 174.0, 'N', 'S', 'S', NULL, NULL, NULL, NULL),
  (43, 1, 9, 2, 'Esquerda', 'Valido', '2', '2026-11-14', '14:45:52', 0.126, 8.324, 8.450, 1.592, 0, 162.2, 8.324, 5.493, 0, 162.2, 126.2, 162.2, 'N', 'S', 'N', 'N', NULL, NULL, 7),
  (44, 1, 9, 7, 'Esquerda', 'Valido', '2', '2026-11-14', '14:45:52', 0.126, 8.324, 8.450, 1.592, NULL, 162.2, 8.324, 5.493, 0, 162.2, 126.2, 162.2, 'N', 'S', 'S', NULL, NULL, NULL, NULL),
  (45, 1, 11, 2, 'Direita', 'Valido', '2', '2026-11-14', '14:45:52', 0.160, 8.035, 8.195, 1.629, 0, 171.7, 8.035, 5.270, 0, 171.7, 136.8, 171.7, 'N', 'S', 'N', 'N', NULL, NULL, 7),
  (46, 1, 11, 7, 'Direita', 'Valido', '2', '2026-11-14', '14:45:52', 0.160, 8.035, 8.195, 1.629, NULL, 171.7, 8.035, 5.270, 0, 171.7, 136.8, 171.7, 'N', 'S', 'S', NULL, NULL, NULL, NULL),
  (47, 1, 6, 2, 'Esquerda', 'Valido', '2', '2026-11-14', '14:48:41', 0.277, 7.920, 8.197, 1.608, 0, 168.9, 7.920, 5.289, 0, 168.9, 134.4, 168.9, 'N', 'S', 'N', 'N', NULL, NULL, 8),
  (48, 1, 6, 7, 'Esquerda', 'Valido', '2', '2026-11-14', '14:48:41', 0.277, 7.920, 8.197, 1.608, NULL, 168.9, 7.920, 5.289, 0, 168.9, 134.4, 168.9, 'N', 'S', 'S', NULL, NULL, NULL, NULL),
  (49, 1, 13, 2, 'Direita', 'Valido', '2', '2026-11-14', '14:48:41', 0.289, 8.343, 8.632, 1.667, 0, 167.2, 8.343, 5.559, 0, 167.2, 129.1, 167.2, 'N', 'S', 'N', 'N', NULL, NULL, 8),
  (50, 1, 13, 7, 'Direita', 'Valido', '2', '2026-11-14', '14:48:41', 0.289, 8.343, 8.632, 1.667, NULL, 167.2, 8.343, 5.559, 0, 167.2, 129.1, 167.2, 'N', 'S', 'S', NULL, NULL, NULL, NULL);
